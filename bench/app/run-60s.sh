#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real program in a private X server with a tray and a private session bus, on a
# connected scenario link at the default intervals with the indicator shown, side by side
# with the floor program (a bare Qt program with the same labels, graph and timers) and
# conky. Each rep starts the program afresh and prints: the time from start to the
# indicator shown, the CPU time of each one in the same 60 s (task-clock from perf stat,
# else the scheduler's nanoseconds) and the program's ratios, then the same with one panel
# following the bus (vantoril-status --follow). At the end: the median of every ratio and
# the load average before and after.
# Usage: run-60s.sh PATH-TO-vantoril PATH-TO-bench_floor [PATH-TO-vantoril-status]
#        REPS (default 5) and SECONDS_PER_REP (default 60) in the environment change the run.
#        (needs xvfb-run, dbus-run-session, trayer, xdotool; perf and conky when present)
set -euo pipefail
source "$(dirname "$0")/scene.sh"

"$floor" &
floor_pid=$!
pids+=("$floor_pid")

conky_pid=""
if command -v conky >/dev/null; then
  conky_config "$work/conky.conf"
  conky -q -c "$work/conky.conf" &
  conky_pid=$!
  pids+=("$conky_pid")
fi

# CPU time of a process and all its threads over the next period, in nanoseconds.
measure() {
  if perf stat -e task-clock -x, -o "$work/perf.$1" -p "$1" -- sleep "$seconds" 2>/dev/null; then
    awk -F, '/task-clock/ { printf "%.0f\n", $1 * 1000000 }' "$work/perf.$1"
  else
    local before after
    before=$(cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { print s }')
    sleep "$seconds"
    after=$(cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { print s }')
    echo $((after - before))
  fi
}
# Measures every pid given at once; leaves each one's nanoseconds in $work/cpu.PID.
measure_all() {
  local waiting=()
  for p in "$@"; do
    measure "$p" > "$work/cpu.$p" &
    waiting+=($!)
  done
  wait "${waiting[@]}"
}
ms() { awk -v n="$(cat "$work/cpu.$1")" 'BEGIN { printf "%.1f", n / 1e6 }'; }
ratio() { awk -v a="$(cat "$work/cpu.$1")" -v b="$(cat "$work/cpu.$2")" 'BEGIN { printf "%.2f\n", a / b }'; }
peak() { awk '/^VmHWM/ { printf "%.1f MB", $2 / 1024 }' "/proc/$1/status"; }

: > "$work/floor.ratios"; : > "$work/conky.ratios"; : > "$work/panel.ratios"; : > "$work/shown"
for rep in $(seq 1 "$reps"); do
  start=$(date +%s%N)
  "$work/vantoril" &
  vantoril=$!
  pids+=("$vantoril")
  until xdotool search --onlyvisible --name '^Bench Line$' >/dev/null 2>&1; do
    if ! kill -0 "$vantoril" 2>/dev/null; then echo "rep $rep: the program ended"; exit 1; fi
    sleep 0.005
  done
  shown=$(date +%s%N)
  shown_ms=$(( (shown - start) / 1000000 ))
  echo "$shown_ms" >> "$work/shown"
  sleep 5  # start-up work is done

  running=("$vantoril" "$floor_pid")
  [ -n "$conky_pid" ] && running+=("$conky_pid")
  measure_all "${running[@]}"
  line="rep $rep: start to indicator ${shown_ms} ms; CPU ms vantoril $(ms "$vantoril") floor $(ms "$floor_pid")"
  line+="; vantoril/floor $(ratio "$vantoril" "$floor_pid")"
  ratio "$vantoril" "$floor_pid" >> "$work/floor.ratios"
  if [ -n "$conky_pid" ]; then
    line+="; conky $(ms "$conky_pid"); vantoril/conky $(ratio "$vantoril" "$conky_pid")"
    ratio "$vantoril" "$conky_pid" >> "$work/conky.ratios"
  fi
  echo "$line"

  if [ -x "$status" ]; then
    "$status" --follow >/dev/null 2>&1 &
    panel=$!
    sleep 2
    measure_all "$vantoril" "$floor_pid" "$panel"
    echo "rep $rep with a panel: CPU ms vantoril $(ms "$vantoril") floor $(ms "$floor_pid") panel $(ms "$panel"); vantoril/floor $(ratio "$vantoril" "$floor_pid")"
    ratio "$vantoril" "$floor_pid" >> "$work/panel.ratios"
    kill "$panel" 2>/dev/null || true
    wait "$panel" 2>/dev/null || true
  fi
  echo "rep $rep: peak memory vantoril $(peak "$vantoril"), floor $(peak "$floor_pid")"
  kill "$vantoril"
  wait "$vantoril" 2>/dev/null || true
done

echo "median start to indicator: $(median < "$work/shown") ms"
print_ratios
