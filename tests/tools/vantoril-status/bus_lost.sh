#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vantoril-status --follow ends, with status 4, when its session bus goes away (a desktop
# session that ended); before, such followers kept running for ever. Exit 77: skipped.
set -euo pipefail
status_tool=$1
command -v dbus-daemon >/dev/null || { echo "dbus-daemon is not installed"; exit 77; }
work=$(mktemp -d)
trap 'kill "$daemon" 2>/dev/null || true; rm -rf "$work"' EXIT
dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$work/bus"
address=$(sed -n 1p "$work/bus") daemon=$(sed -n 2p "$work/bus")

mkfifo "$work/out"
DBUS_SESSION_BUS_ADDRESS=$address "$status_tool" --format json --follow >"$work/out" &
follower=$!
exec 3<"$work/out"
read -r -t 20 first <&3 || { echo "no first line"; exit 1; }
echo "following, first line: $first"
kill "$daemon"
# A guard against hanging for ever, not a measure of speed.
for _ in $(seq 200); do kill -0 "$follower" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$follower" 2>/dev/null; then
  kill "$follower"
  echo "vantoril-status --follow still runs after its bus is gone"
  exit 1
fi
status=0
wait "$follower" || status=$?
[ "$status" -eq 4 ] || { echo "exit status $status, not 4"; exit 1; }
echo "ended with status 4 when the bus went away"
