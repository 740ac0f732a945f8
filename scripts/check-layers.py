#!/usr/bin/env python3
"""Fails on an include that reaches a higher layer.

    scripts/check-layers.py SOURCE_DIR

The platform's frameworks are layered as the phone's are; each may include
its own layer and those below it, never one above. The apps, Mail, the tests,
the benchmarks and the fuzz targets sit above the whole platform; the hook
speaks only the runtime's C interface. Prints one line per offending include
and exits 1 when there is any.
"""

import pathlib
import re
import sys

# The platform's layers, bottom first. A header's layer is that of the first
# entry whose prefix its path (below platform/) starts with.
LAYERS = [
    ("device folder", ["Device/DeviceFolder."]),
    ("objc", ["objc/"]),
    ("Foundation", ["Foundation/"]),
    ("CoreGraphics", ["CoreGraphics/"]),
    ("QuartzCore", ["QuartzCore/"]),
    ("UIKit", ["UIKit/"]),
    ("MessageUI", ["MessageUI/"]),
    ("device host", ["Device/"]),
]
ABOVE_PLATFORM = len(LAYERS)
# Folders above the platform, which may include any of it and their own files.
CLIENTS = ["app", "mail", "tests", "bench", "demo", "fuzz"]
# What the hook may include of the platform: the runtime's C header alone.
HOOK_ALLOWED = {"objc/runtime.h"}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCES = {".h", ".hpp", ".c", ".cc", ".cpp"}


def layer_of(platform_path):
    """The layer index of a path below platform/, or None outside every layer."""
    for index, (_, prefixes) in enumerate(LAYERS):
        if any(platform_path.startswith(prefix) for prefix in prefixes):
            return index
    return None


def layer_name(index):
    return LAYERS[index][0] if index < ABOVE_PLATFORM else "above the platform"


def check_file(root, path):
    """The offending includes of one source file, as messages."""
    relative = path.relative_to(root).as_posix()
    top, _, below = relative.partition("/")
    if top == "platform":
        own = layer_of(below)
        if own is None:
            return [f"{relative}: lies in no layer of the platform; add its folder to scripts/check-layers.py"]
    elif top == "hook":
        own = None
    else:
        own = ABOVE_PLATFORM
    problems = []
    for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
        match = INCLUDE.match(line)
        if not match:
            continue
        included = match.group(1)
        where = f"{relative}:{number}: includes {included}"
        if (path.parent / included).exists() and top != "platform":
            continue  # a file of its own folder
        target = layer_of(included)
        if top == "hook":
            if included not in HOOK_ALLOWED and target is not None:
                problems.append(f"{where}, but the hook may include only {', '.join(sorted(HOOK_ALLOWED))}")
            continue
        if target is None:
            if top == "platform":
                problems.append(f"{where}, which is not a header of the platform")
            continue
        if target > own:
            problems.append(f"{where}: {layer_name(own)} reaches up to {layer_name(target)}")
    return problems


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    root = pathlib.Path(argv[1]).resolve()
    problems = []
    for top in ["platform", "hook"] + CLIENTS:
        folder = root / top
        if not folder.is_dir():
            continue
        for path in sorted(folder.rglob("*")):
            if path.suffix in SOURCES and path.is_file():
                problems += check_file(root, path)
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) break the layers")
        return 1
    print("every include stays within its layer or goes below it")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
