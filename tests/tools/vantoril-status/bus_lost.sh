#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vantoril-status --follow ends with status 4 when its session bus goes away. 77: skipped.
set -euo pipefail
command -v dbus-daemon >/dev/null || exit 77
read -r address daemon < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 | paste -sd' ')
coproc follower { DBUS_SESSION_BUS_ADDRESS=$address "$1" --format json --follow; }
pid=$follower_PID
read -r -t 20 first <&"${follower[0]}"  # following now
kill "$daemon"
timeout 20 tail --pid="$pid" -f /dev/null || { echo "still following"; exit 1; }
wait "$pid" && status=0 || status=$?
[ "$status" -eq 4 ] || { echo "exit status $status after $first"; exit 1; }
