#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole program's work counted in instructions, which repeat within a per cent or two
# from run to run where CPU time on a shared or virtual machine moves by a fifth. The
# program, the floor program and conky each run under callgrind in the scene of run-60s.sh;
# once started, the instructions each one runs in the same 60 s (all threads, user space: the
# system calls are the same kinds and counts in the program and the floor) and the program's
# ratios, then the same with one panel following the bus (vantoril-status --follow, not
# counted). Each rep starts all three afresh. At the end: the median of every ratio and the
# load average.
# Usage: instructions-60s.sh PATH-TO-vantoril PATH-TO-bench_floor [PATH-TO-vantoril-status]
#        REPS (default 5) and SECONDS_PER_REP (default 60) in the environment change the run.
#        (needs valgrind, xvfb-run, dbus-run-session, trayer, xdotool; conky when present)
set -euo pipefail
source "$(dirname "$0")/scene.sh"
conky_config "$work/conky.conf"

# Starts a command under callgrind with counting off; its pid is the command's own.
grind() {
  valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$work/cg.%p" "$@" \
    >/dev/null 2>&1 &
  pids+=($!)
}
# Counts what every pid given runs in the next $seconds; leaves it in $work/cg.PID.PART.
count() {
  local part=$1
  shift
  for p in "$@"; do callgrind_control -z "$p" >/dev/null 2>&1; done
  sleep "$seconds"
  for p in "$@"; do
    callgrind_control -d "$p" >/dev/null 2>&1
    until grep -qs '^totals:' "$work/cg.$p.$part"; do sleep 0.1; done
  done
}
per_second() { awk -v s="$seconds" '/^totals:/ { printf "%.0f", $2 / s }' "$work/cg.$1.$2"; }
ratio() { awk -v a="$(per_second "$1" "$3")" -v b="$(per_second "$2" "$3")" \
  'BEGIN { printf "%.3f\n", a / b }'; }
# Waits until the window named NAME of process PID is shown.
wait_for_window() {
  until xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; do
    if ! kill -0 "$2" 2>/dev/null; then echo "rep $rep: $1 ended before its window showed"; exit 1; fi
    sleep 0.1
  done
}

: > "$work/floor.ratios"; : > "$work/conky.ratios"; : > "$work/panel.ratios"
for rep in $(seq 1 "$reps"); do
  grind "$floor"
  floor_pid=$!
  grind "$work/vantoril"
  vantoril=$!
  running=("$vantoril" "$floor_pid")
  if command -v conky >/dev/null; then
    grind conky -q -c "$work/conky.conf"
    running+=($!)
  fi
  wait_for_window '^Bench Line$' "$vantoril"
  wait_for_window '^Floor Line$' "$floor_pid"
  sleep 15  # start-up work is done, slowed down by callgrind
  for p in "${running[@]}"; do callgrind_control -i on "$p" >/dev/null 2>&1; done

  count 1 "${running[@]}"
  line="rep $rep: instructions a second vantoril $(per_second "$vantoril" 1)"
  line+=" floor $(per_second "$floor_pid" 1); vantoril/floor $(ratio "$vantoril" "$floor_pid" 1)"
  ratio "$vantoril" "$floor_pid" 1 >> "$work/floor.ratios"
  if [ ${#running[@]} -eq 3 ]; then
    line+="; conky $(per_second "${running[2]}" 1); vantoril/conky $(ratio "$vantoril" "${running[2]}" 1)"
    ratio "$vantoril" "${running[2]}" 1 >> "$work/conky.ratios"
  fi
  echo "$line"

  if [ -x "$status" ]; then
    "$status" --follow >/dev/null 2>&1 &
    panel=$!
    sleep 2
    count 2 "$vantoril" "$floor_pid"
    echo "rep $rep with a panel: instructions a second vantoril $(per_second "$vantoril" 2)" \
      "floor $(per_second "$floor_pid" 2); vantoril/floor $(ratio "$vantoril" "$floor_pid" 2)"
    ratio "$vantoril" "$floor_pid" 2 >> "$work/panel.ratios"
    kill "$panel" 2>/dev/null || true
  fi
  kill "${running[@]}" 2>/dev/null || true
  wait "${running[@]}" 2>/dev/null || true
done

print_ratios
