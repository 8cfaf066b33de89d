#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Xvfb with a window manager (openbox), a private session bus and at first no notification
# area: the program with hide_start=1 shows its settings window; Escape minimises it rather
# than hiding it; a second start says "Программа уже запущена!" and brings the window
# back. Then an XEmbed tray (trayer) starts: the icon embeds, the settings window is
# hidden; the panel restarts and the icon comes back; its menu pops up on a right press and
# "Выход" ends the program with status 0.
# A screenshot of that menu is left in SHOTS. Exit 77 means skipped.
set -euo pipefail
program=$1
shots=$2
skip() { echo "SKIPPED: $*"; exit 77; }
for tool in Xvfb openbox trayer dbus-daemon xdotool xprop import; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAILED: $*"; cat "$work/out.log" "$work/second.log" 2>/dev/null; exit 1; }

cp "$program" "$work/vantoril"
printf '[Vantoril]\r\nTransparent=255\r\nhide_start=1\r\nlink_source=scenario:none.scenario\r\n' > "$work/inet.conf"
printf '0 down\n' > "$work/none.scenario"
mkdir -m 700 "$work/run" "$work/home"

Xvfb -displayfd 3 -ac -nolisten tcp -screen 0 800x600x24 3>"$work/display" >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -n 1 "$work/display")
dbus-daemon --session --nofork --print-address=1 >"$work/bus" & pids+=($!)
for _ in $(seq 100); do [ -s "$work/bus" ] && break; sleep 0.1; done
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
HOME="$work/home" openbox >/dev/null 2>&1 & pids+=($!)

run() {  # the program's environment: its own runtime and config folders, X11
  env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
      XDG_CONFIG_HOME="$work/run" "$@"
}
wait_for() {  # wait_for DESCRIPTION COMMAND...: up to 10 s for COMMAND to succeed
  local what=$1; shift
  for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  fail "$what"
}
visible() { xdotool search --onlyvisible --name "$1"; }
settings_window() { xdotool search --name '^Настройки программы$' | head -n 1; }
# ICCCM state of a window: 1 normal, 3 iconic (minimised); none when withdrawn (hidden).
wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }
is_state() { [ "$(wm_state "$(settings_window)")" = "$1" ]; }

sleep 1  # the window manager takes over the screen
run "$work/vantoril" >"$work/out.log" 2>&1 & program_pid=$!
pids+=($program_pid)
wait_for "without a tray the settings window did not show" is_state Normal
window=$(settings_window)

xdotool windowactivate --sync "$window" key Escape
wait_for "without a tray Escape did not minimise the settings window" is_state Iconic

run "$work/vantoril" >"$work/second.log" 2>&1 & second_pid=$!
pids+=($second_pid)
wait_for "the second start did not say so" visible '^Vantoril$'
wait_for "the second start did not bring the settings window back" is_state Normal
xdotool windowactivate --sync "$(visible '^Vantoril$' | head -n 1)" key Return
for _ in $(seq 100); do kill -0 "$second_pid" 2>/dev/null || break; sleep 0.1; done
wait "$second_pid" || fail "the second start ended with status $?"

# The panel comes up now.
start_tray() {
  trayer --edge top --align right --widthtype pixel --width 80 --height 28 >/dev/null 2>&1 &
  tray_pid=$!
  pids+=($tray_pid)
}
start_tray
tray_icon() {
  local id
  for id in $(xdotool search --classname '^vantoril$' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    if [ "$WIDTH" -le 48 ] && [ "$HEIGHT" -le 48 ] && [ "$Y" -lt 40 ]; then echo "$id"; return 0; fi
  done
  return 1
}
wait_for "the tray icon did not embed in a tray that started later" tray_icon
wait_for "a tray within the first seconds did not hide the settings window" \
  bash -c "! xdotool search --onlyvisible --name '^Настройки программы$'"

# The panel restarts: its new tray gets the icon again.
kill "$tray_pid"
no_tray_icon() { ! tray_icon; }
wait_for "the tray icon outlived its tray" no_tray_icon
start_tray
wait_for "the tray icon did not come back to a restarted tray" tray_icon

xdotool mousemove --window "$(tray_icon)" 6 6 click 3
sleep 0.7
mkdir -p "$shots"
import -window root "$shots/xembed-tray-menu.png"
xdotool key Up Return   # the last item, "Выход"
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "Выход did not end the program"
wait "$program_pid" || fail "the program ended with status $?"
echo "no tray: minimised and brought back by a second start; late tray: icon, hidden window, menu, exit"
