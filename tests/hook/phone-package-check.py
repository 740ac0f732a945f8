#!/usr/bin/env python3
"""Builds the hook's phone package and checks what the phone's loader and its
package manager will see: the library's Mach-O form, what it imports and
exports, and the package's control fields and layout.
Usage: phone-package-check.py SOURCE_DIR OUT_DIR
       phone-package-check.py --skip-reason  (why the checks would be skipped)"""
import plistlib
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

SKIP = 77
TOOLS = ["clang++-19", "ld64.lld-19", "llvm-objdump-19", "llvm-nm-19", "dpkg-deb"]
INSTALL_DIR = "Library/MobileSubstrate/DynamicLibraries"
RUNTIME_IMPORTS = {
    "_objc_getClass", "_class_getSuperclass", "_class_getInstanceMethod", "_method_getImplementation",
    "_method_getTypeEncoding", "_class_addMethod", "_method_setImplementation",
    "_class_getMethodImplementation", "_sel_registerName", "_object_getClass",
}
SYSTEM_IMPORTS = {"dyld_stub_binder"}


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def section_sizes(headers):
    """Section name to size, from llvm-objdump's load commands."""
    sizes, name = {}, None
    for line in headers.splitlines():
        words = line.split()
        if words[:1] == ["sectname"]:
            name = words[1]
        elif words[:1] == ["size"] and name:
            sizes[name] = int(words[1], 16)
            name = None
    return sizes


def loaded_libraries(headers):
    """The names of the LC_LOAD_DYLIB commands."""
    names, loading = [], False
    for line in headers.splitlines():
        words = line.split()
        if words[:1] == ["cmd"]:
            loading = words[1] == "LC_LOAD_DYLIB"
        elif words[:1] == ["name"] and loading:
            names.append(words[1])
    return names


def library_checks(lib):
    headers = run("llvm-objdump-19", "--macho", "--private-headers", str(lib))
    header = headers.splitlines()[3].split()  # magic cputype cpusubtype caps filetype ...
    data = lib.read_bytes()
    return [
        ("a 64-bit arm64 dynamic library", header[:2] + header[4:5], ["MH_MAGIC_64", "ARM64", "DYLIB"]),
        ("its install name", run("llvm-objdump-19", "--macho", "--dylib-id", str(lib)).split()[-1],
         "/" + INSTALL_DIR + "/korvelhook.dylib"),
        ("one module initializer", section_sizes(headers).get("__mod_init_func"), 8),
        ("an ad-hoc signature", "LC_CODE_SIGNATURE" in headers, True),
        ("the libraries it loads", sorted(loaded_libraries(headers)),
         ["/usr/lib/libSystem.B.dylib", "/usr/lib/libobjc.A.dylib"]),
        ("the symbols it imports", set(run("llvm-nm-19", "-u", str(lib)).split()), RUNTIME_IMPORTS | SYSTEM_IMPORTS),
        ("the symbols it exports", run("llvm-nm-19", "-gU", str(lib)).split(), []),
        # Written out when Mail lacks a method: the 64-bit phone's widths.
        ("type encodings for arm64",
         all(enc in data for enc in (b"@@:q@\0", b"v@:@B\0", b"{CGPoint=dd}{CGSize=dd}}@:")), True),
    ]


def package_checks(deb, version, unpacked):
    # The control file as dpkg-deb --info shows it: fields one space in,
    # continuation lines two.
    fields = dict(line[1:].split(": ", 1) for line in run("dpkg-deb", "--info", str(deb)).splitlines()
                  if line[:1] == " " and line[1:2] not in (" ", "") and ": " in line)
    contents = [" ".join(line.split()[:2] + line.split()[-1:])
                for line in run("dpkg-deb", "--contents", str(deb)).splitlines()]
    with open(unpacked / INSTALL_DIR / "korvelhook.plist", "rb") as f:
        filter_list = plistlib.load(f)
    wanted = {"Package": "com.brisval.korvel", "Name": "Korvel", "Version": version,
              "Architecture": "iphoneos-arm64", "Depends": "mobilesubstrate", "Section": "Tweaks"}
    return [
        ("the control fields", {k: fields.get(k) for k in wanted}, wanted),
        ("a maintainer and a description", all(fields.get(k) for k in ("Maintainer", "Description")), True),
        ("the package file name", deb.name, f"com.brisval.korvel_{version}_iphoneos-arm64.deb"),
        ("the layout", contents, [
            "drwxr-xr-x root/root ./", "drwxr-xr-x root/root ./Library/",
            "drwxr-xr-x root/root ./Library/MobileSubstrate/", f"drwxr-xr-x root/root ./{INSTALL_DIR}/",
            f"-rwxr-xr-x root/root ./{INSTALL_DIR}/korvelhook.dylib",
            f"-rw-r--r-- root/root ./{INSTALL_DIR}/korvelhook.plist"]),
        ("the bundle filter", filter_list, {"Filter": {"Bundles": ["com.apple.mobilemail"]}}),
    ]


def skip_reason():
    missing = [tool for tool in TOOLS if not shutil.which(tool)]
    return f"hook.PhonePackage is skipped: it needs {', '.join(missing)}; ./package installs them" if missing else ""


def main():
    if sys.argv[1] == "--skip-reason":
        print(skip_reason())
        return 0
    if skip_reason():
        print(skip_reason())
        return SKIP
    source, out = Path(sys.argv[1]), Path(sys.argv[2])
    try:
        deb = Path(run(str(source / "hook/phone/build.sh"), str(source), str(out)).split()[-1])
    except subprocess.CalledProcessError as failure:
        print(f"FAILED: the phone build:\n{failure.stdout}{failure.stderr}")
        return 1
    version = (source / "VERSION").read_text().strip()
    with tempfile.TemporaryDirectory() as unpacked:
        run("dpkg-deb", "--extract", str(deb), unpacked)
        # The checks read the library as the package installs it.
        checks = library_checks(Path(unpacked) / INSTALL_DIR / "korvelhook.dylib")
        checks += package_checks(deb, version, Path(unpacked))
    failures = [(what, got, want) for what, got, want in checks if got != want]
    for what, got, want in failures:
        print(f"FAILED: {what}: got {got!r}, wanted {want!r}")
    print(f"{len(checks) - len(failures)} of {len(checks)} checks of {deb.name} pass")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
