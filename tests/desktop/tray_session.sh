#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Xvfb with an XEmbed tray host (trayer) and the real program on a scenario link: a right
# press on the tray icon opens the menu, "Индикатор" shows the indicator, a left double
# press shows the settings window, "Выход" ends the program. Screenshots of the tray menu
# and the indicator are left in SHOTS for a person to look at. Exit 77 means skipped.
set -euo pipefail
program=$1
shots=$2
skip() { echo "SKIPPED: $*"; exit 77; }
for tool in Xvfb trayer xdotool import; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAILED: $*"; cat "$work/out.log" 2>/dev/null; exit 1; }

# A portable program folder of the test's own: the executable's copy with its files.
cp "$program" "$work/vantoril"
printf '[Vantoril]\r\nTransparent=255\r\nauto_show=0\r\nhide_start=1\r\nfull=1\r\ni_left=3000\r\ni_top=3000\r\nlink_source=scenario:tray.scenario\r\n' > "$work/inet.conf"
printf '0 connected 0 0 57600 Tray Line\n600000 connected 60000000 6000000 57600 Tray Line\n' > "$work/tray.scenario"
mkdir -m 700 "$work/run"

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -ac -nolisten tcp -screen 0 800x600x24 3>"$work/display" >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -n 1 "$work/display")
trayer --edge top --align right --widthtype pixel --width 80 --height 28 >/dev/null 2>&1 & pids+=($!)
sleep 1
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/run" \
    "$work/vantoril" >"$work/out.log" 2>&1 & program_pid=$!
pids+=($program_pid)

wait_for() {  # wait_for DESCRIPTION COMMAND...: up to 10 s for COMMAND to succeed
  local what=$1; shift
  for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  fail "$what"
}
visible() { xdotool search --onlyvisible --name "$1"; }

# The tray icon: the program's small window embedded in the tray host.
tray_icon() {
  local id
  for id in $(xdotool search --classname '^vantoril$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    if [ "$WIDTH" -le 48 ] && [ "$HEIGHT" -le 48 ] && [ "$Y" -lt 40 ]; then echo "$id"; return 0; fi
  done
  return 1
}
wait_for "the tray icon did not appear" tray_icon
icon=$(tray_icon)

open_menu() {
  xdotool mousemove --window "$icon" 6 6 click 3
  sleep 0.7
}

open_menu
mkdir -p "$shots"
import -window root "$shots/tray-menu.png"
xdotool key Down Down Return   # the second item, "Индикатор"
wait_for "choosing Индикатор did not show the indicator" visible '^Tray Line$'
sleep 1.5
import -window root "$shots/indicator.png"

visible '^Настройки программы$' && fail "the settings window was shown before the double press"
xdotool mousemove --window "$icon" 6 6 click --repeat 2 --delay 60 1
wait_for "a left double press did not show the settings window" visible '^Настройки программы$'

open_menu
xdotool key Up Return   # the last item, "Выход"
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "Выход did not end the program"
wait "$program_pid" || fail "the program ended with status $?"
echo "tray menu, indicator, settings window and exit work; screenshots in $shots"
