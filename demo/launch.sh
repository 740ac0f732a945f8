#!/usr/bin/env bash
# Starts the demo's two apps, Korvel and MobileMail, on one device folder.
#
#   demo/launch.sh demo BUILD DEVICE OUTDIR
#       The windows below; when there is no display to open them on, says so
#       in one line and runs the headless demo instead.
#   demo/launch.sh windows BUILD DEVICE [KORVEL_SCRIPT MAIL_SCRIPT]
#       Both apps in windows side by side, Korvel on the left; returns when
#       both have ended (closed, or told to by their scripts). Exits with 3
#       when there is no display to open them on.
#   demo/launch.sh headless BUILD DEVICE OUTDIR
#       Korvel, driven by demo/korvel-demo.script, colours an account and
#       sets the label style on its settings screen; then MobileMail runs
#       once and writes its screenshot and dump into OUTDIR.
#
# BUILD is a build folder holding app/Korvel and mail/MobileMail. ./run and
# the tests both start the apps through this script.
set -euo pipefail

readonly no_display=3
# What the host prints when it cannot open a window and runs headless.
readonly host_fallback="no display to open a window on"
# Each window is the phone's 320 x 480 points at two pixels a point.
readonly window_width=640 gap=20

usage() {
  sed -n '3,16p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

mode=${1:-}
(($# >= 3)) || usage
[[ -d $2 ]] || { echo "launch.sh: no build folder $2" >&2; exit 1; }
[[ -d $3 ]] || { echo "launch.sh: no device folder $3" >&2; exit 1; }
# Absolute, as the headless demo runs Korvel from its output folder.
build=$(cd "$2" && pwd) device=$(cd "$3" && pwd)
korvel=$build/app/Korvel mail=$build/mail/MobileMail
for program in "$korvel" "$mail"; do
  [[ -x $program ]] || { echo "launch.sh: $program is not built" >&2; exit 1; }
done
here=$(cd "$(dirname "$0")" && pwd)

# Why windows() opened none.
no_window_reason=

windows() {
  local korvel_script=${1:-} mail_script=${2:-}
  if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    no_window_reason="neither DISPLAY nor WAYLAND_DISPLAY is set"
    return $no_display
  fi
  if [[ -z $korvel_script && -z $mail_script ]]; then
    cat <<'EOF'
Korvel is on the left, Mail (with the hook) on the right, both on the demo device.
  In Korvel: click an account, drag on the colour map and on the brightness strip, click Save.
  In Mail: a row takes the new colour when it is built again: drag the list up until the
  account's rows have left the window, then back down (or close Mail and run ./run again).
Close both windows to end.
EOF
  fi
  local logs
  logs=$(mktemp -d)
  # The host's own fallback line is kept back: without windows the caller
  # says so once and runs the headless demo instead.
  start() {
    local name=$1 program=$2 x=$3 script=$4
    "$program" --device "$device" --window-at "$x,0" ${script:+--script "$script"} \
      2> >(tee "$logs/$name" | grep -v --line-buffered "$host_fallback" >&2) &
  }
  start korvel "$korvel" 0 "$korvel_script"
  korvel_pid=$!
  start mail "$mail" $((window_width + gap)) "$mail_script"
  mail_pid=$!
  # Programs started in the background of a script ignore Ctrl-C; take them
  # down with the script.
  trap 'kill "$korvel_pid" "$mail_pid" 2>/dev/null; exit 130' INT TERM
  local status=0
  wait "$korvel_pid" || status=$?
  wait "$mail_pid" || status=$?
  # The log filters end after the programs; let them finish writing.
  wait
  local fell_back
  fell_back=$(grep -l "$host_fallback" "$logs"/korvel "$logs"/mail || true)
  if [[ -n $fell_back ]]; then
    no_window_reason=$(sed -n "s/.*$host_fallback (\(.*\)); running headless.*/\1/p" $fell_back | head -n1)
    no_window_reason="the window system refused: ${no_window_reason:-no reason given}"
  fi
  trap - INT TERM
  rm -rf "$logs"
  [[ -z $fell_back ]] || return $no_display
  return $status
}

headless() {
  local out=$1
  mkdir -p "$out"
  out=$(cd "$out" && pwd)
  # The script's "shot" lines name files relative to where Korvel runs.
  (cd "$out" && "$korvel" --headless --device "$device" --script "$here/korvel-demo.script" \
    --screenshot "$out/korvel.png")
  "$mail" --headless --device "$device" --screenshot "$out/mail.png" --dump "$out/mail.json"
  echo "Korvel saved a colour for a.berg@work.example (the Work account):"
  echo "  the picker before Save:  $out/korvel-picker.png"
  echo "and chose the date-background label style on its settings screen:"
  echo "  the settings screen:     $out/korvel-settings.png"
  echo "  the style chooser:       $out/korvel-chooser.png"
  echo "  the style's preview:     $out/korvel-preview.png"
  echo "and visited the rest of its rows:"
  echo "  the keyboard on a field: $out/korvel-keyboard.png"
  echo "  the About page:          $out/korvel-about.png"
  echo "  the help page:           $out/korvel-help.png"
  echo "  the support mail:        $out/korvel-mail.png"
  echo "  the account list after:  $out/korvel.png"
  echo "Mail, started afterwards with the hook, shows them on its rows:"
  echo "  screenshot: $out/mail.png"
  echo "  view dump:  $out/mail.json"
}

demo() {
  local status=0
  windows || status=$?
  ((status == no_display)) || return $status
  echo "No display to open windows on ($no_window_reason): running the headless demo instead."
  headless "$1"
}

case $mode in
  demo) (($# == 4)) || usage; demo "$4" ;;
  windows)
    status=0
    windows "${@:4}" || status=$?
    ((status != no_display)) || echo "No display to open windows on ($no_window_reason)." >&2
    exit $status
    ;;
  headless) (($# == 4)) || usage; headless "$4" ;;
  *) usage ;;
esac
