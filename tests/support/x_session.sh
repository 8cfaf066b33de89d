#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command in a private X server with a window manager, the way a desktop user's
# windows get and lose the focus. Exits 77 (skipped) when Xvfb or openbox is missing.
# Usage: x_session.sh COMMAND [ARGUMENT...]
set -u
for tool in Xvfb openbox xprop; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
server="" manager=""
cleanup() {
  [ -n "$manager" ] && kill "$manager" 2>/dev/null
  [ -n "$server" ] && kill "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 5 -screen 0 1024x600x24 -nolisten tcp 5>"$work/display" 2>/dev/null &
server=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "skipped: Xvfb did not start"; exit 77; }
export DISPLAY=":$(head -n1 "$work/display")"

HOME="$work" openbox --sm-disable >/dev/null 2>&1 &
manager=$!
# A window manager announces itself with this property on the root window.
for _ in $(seq 300); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
  { echo "skipped: openbox did not start"; exit 77; }

QT_QPA_PLATFORM=xcb "$@"
