#!/usr/bin/env bash
# ./run's demo through the launch script it uses: under Xvfb both apps open
# windows side by side, each writes a shot of its window (the phone's 320 x 480
# points at twice the resolution); without a display the script says so in one
# line and runs the headless demo.
# Arguments: SOURCE_DIR BUILD_DIR HOOK_LIBRARY APP_BUNDLE
set -euo pipefail
source_dir=$1 build_dir=$2 hook=$3 bundle=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

device() {
  cmake -DDEVICE="$work/$1" -DDEMO="$source_dir/demo" -DHOOK="$hook" \
    -DHOOK_FILTER="$source_dir/hook/korvelhook.plist" -DAPP_BUNDLE="$bundle" \
    -P "$source_dir/demo/prepare-device.cmake"
}

# Checks that a PNG is WIDTH x HEIGHT and shows more than a few colours.
check_png() {
  python3 - "$@" <<'EOF'
import struct, sys, zlib
path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
data = open(path, 'rb').read()
if data[:8] != b'\x89PNG\r\n\x1a\n':
    sys.exit(f'{path}: not a PNG')
w, h, depth, kind = struct.unpack('>IIBB', data[16:26])
if (w, h) != (width, height):
    sys.exit(f'{path}: {w} x {h}, not {width} x {height}')
if depth != 8 or kind not in (2, 6):
    sys.exit(f'{path}: not 8-bit RGB(A)')
packed, at = b'', 8
while at < len(data):
    size, tag = struct.unpack('>I4s', data[at:at + 8])
    if tag == b'IDAT':
        packed += data[at + 8:at + 8 + size]
    at += 12 + size
raw, step = zlib.decompress(packed), 4 if kind == 6 else 3
stride, previous, colours = w * step, bytearray(w * step), set()
for y in range(h):
    kind_of_filter = raw[y * (stride + 1)]
    line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for x in range(stride):
        a = line[x - step] if x >= step else 0
        b = previous[x]
        c = previous[x - step] if x >= step else 0
        if kind_of_filter == 1: line[x] = (line[x] + a) & 255
        elif kind_of_filter == 2: line[x] = (line[x] + b) & 255
        elif kind_of_filter == 3: line[x] = (line[x] + ((a + b) >> 1)) & 255
        elif kind_of_filter == 4:
            pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
            line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    colours.update(bytes(line[x:x + 3]) for x in range(0, stride, step * 8))
    previous = line
if len(colours) < 16:
    sys.exit(f'{path}: blank ({len(colours)} colours)')
print(f'{path}: {w} x {h}, {len(colours)} colours')
EOF
}

command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (scripts/ensure-packages.sh installs it)"; exit 1; }

# Windows: Korvel opens the picker on the second account, Mail shows its
# list; each writes a shot of its window and ends.
device windowed
printf 'wait 1\ntap 160 132\nwait 1.5\nshot %s\nterminate\n' "$work/korvel.png" >"$work/korvel.script"
printf 'wait 1\nshot %s\nterminate\n' "$work/mail.png" >"$work/mail.script"
# The window system's own libraries (X, D-Bus, Mesa) keep memory to the end;
# leaks in our code are the headless tests' to find.
ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 \
  xvfb-run -a -s "-screen 0 1400x1000x24" \
  "$source_dir/demo/launch.sh" windows "$build_dir" "$work/windowed" "$work/korvel.script" "$work/mail.script" \
  >"$work/windowed.out" 2>&1 || { cat "$work/windowed.out"; echo "the windowed run failed"; exit 1; }
if grep -q "no display\|No display" "$work/windowed.out"; then
  cat "$work/windowed.out"
  echo "the apps did not get windows under Xvfb"
  exit 1
fi
check_png "$work/korvel.png" 640 960
check_png "$work/mail.png" 640 960

# No display: one line says so, then the headless demo writes its files.
device headless
env -u DISPLAY -u WAYLAND_DISPLAY \
  "$source_dir/demo/launch.sh" demo "$build_dir" "$work/headless" "$work/out" >"$work/headless.out" 2>"$work/headless.err" ||
  { cat "$work/headless.out" "$work/headless.err"; echo "the headless demo failed"; exit 1; }
expected="No display to open windows on (neither DISPLAY nor WAYLAND_DISPLAY is set): running the headless demo instead."
first=$(head -n1 "$work/headless.out")
[[ $first == "$expected" ]] || { echo "first line: $first"; exit 1; }
for file in korvel-picker.png korvel-settings.png korvel-chooser.png korvel-preview.png korvel-keyboard.png \
  korvel-about.png korvel-help.png korvel-mail.png korvel.png mail.png mail.json; do
  grep -q "$work/out/$file" "$work/headless.out" || { echo "the demo does not say where $file is"; exit 1; }
done
check_png "$work/out/mail.png" 320 480
check_png "$work/out/korvel-picker.png" 320 480
for shot in korvel-settings korvel-chooser korvel-preview korvel-keyboard korvel-about korvel-help korvel-mail; do
  check_png "$work/out/$shot.png" 320 480; done
echo "both windows drawn; the headless demo ran without a display"
