#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real program for 60 seconds in a private X server with a tray, on a connected
# scenario link at the default intervals with the indicator shown, side by side with the
# floor program (a bare Qt program with the same labels, graph and timers) and conky, and
# prints each one's CPU time in that same minute (task-clock from perf stat, else the
# scheduler's nanoseconds), the program's ratio to the other two, the time from start to
# tray icon and peak resident memory.
# Usage: run-60s.sh PATH-TO-vantoril PATH-TO-bench_floor
#        (needs xvfb-run, trayer, xdotool; perf and conky when present)
set -euo pipefail
program=$(readlink -f "${1:?usage: run-60s.sh PATH-TO-vantoril PATH-TO-bench_floor}")
floor=$(readlink -f "${2:?usage: run-60s.sh PATH-TO-vantoril PATH-TO-bench_floor}")
if [ -z "${VANTORIL_BENCH_DISPLAY:-}" ]; then
  exec env VANTORIL_BENCH_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x600x24" "$0" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The program folder is the executable's own: a copy in a folder of the benchmark.
cp "$program" "$work/vantoril"
printf '[Vantoril]\r\nType_tar=0\r\nTransparent=255\r\nauto_show=1\r\nhide_start=1\r\nfull=1\r\nlink_source=scenario:link.scenario\r\n' > "$work/inet.conf"
cat > "$work/link.scenario" <<'SCENARIO'
0 connected 0 0 115200 Bench Line
3600000 connected 25920000000 2592000000 115200 Bench Line
SCENARIO
mkdir -m 700 "$work/run" && mkdir "$work/connections"
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/run"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

trayer --edge top --align right --widthtype pixel --width 60 --height 24 >/dev/null 2>&1 &
pids+=($!)
sleep 1

start=$(date +%s%N)
"$work/vantoril" &
vantoril=$!
pids+=("$vantoril")
until xdotool search --classname '^vantoril$' >/dev/null 2>&1; do sleep 0.005; done
shown=$(date +%s%N)
echo "start to tray icon:     $(( (shown - start) / 1000000 )) ms"

"$floor" &
floor_pid=$!
pids+=("$floor_pid")

# conky with the same figures, redrawn at the sampling interval, in a window of its own.
conky_pid=""
if command -v conky >/dev/null; then
  cat > "$work/conky.conf" <<'CONKY'
conky.config = { out_to_x = true, out_to_console = false, own_window = true,
  own_window_type = 'normal', double_buffer = true, update_interval = 0.5,
  use_xft = true, font = 'DejaVu Sans:size=8', minimum_width = 273, background = false }
conky.text = [[
Получено: ${totaldown lo}  Скорость: ${downspeed lo}
Передано: ${totalup lo}  IP: ${addr lo}
Время: ${time %H:%M:%S}
${downspeedgraph lo 30,217}
]]
CONKY
  conky -q -c "$work/conky.conf" &
  conky_pid=$!
  pids+=("$conky_pid")
fi

sleep 5  # the watcher shows the indicator within 2 s; start-up work is done

# CPU time of a process and all its threads over the next 60 s, in nanoseconds.
measure() {
  if perf stat -e task-clock -x, -o "$work/perf.$1" -p "$1" -- sleep 60 2>/dev/null; then
    awk -F, '/task-clock/ { printf "%.0f\n", $1 * 1000000 }' "$work/perf.$1"
  else
    local before after
    before=$(cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { print s }')
    sleep 60
    after=$(cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { print s }')
    echo $((after - before))
  fi
}
peak() { awk '/^VmHWM/ { printf "%.1f MB", $2 / 1024 }' "/proc/$1/status"; }

measure "$vantoril" > "$work/cpu.vantoril" &
measuring=($!)
measure "$floor_pid" > "$work/cpu.floor" &
measuring+=($!)
if [ -n "$conky_pid" ]; then
  measure "$conky_pid" > "$work/cpu.conky" &
  measuring+=($!)
fi
wait "${measuring[@]}"

ms() { awk -v n="$(cat "$1")" 'BEGIN { printf "%.1f ms", n / 1e6 }'; }
ratio() { awk -v a="$(cat "$1")" -v b="$(cat "$2")" 'BEGIN { printf "%.2f", a / b }'; }
echo "CPU in the same 60 s:"
echo "  vantoril:             $(ms "$work/cpu.vantoril")   peak memory $(peak "$vantoril")"
echo "  floor (bare Qt):      $(ms "$work/cpu.floor")   peak memory $(peak "$floor_pid")"
if [ -n "$conky_pid" ]; then
  echo "  conky:                $(ms "$work/cpu.conky")   peak memory $(peak "$conky_pid")"
fi
echo "vantoril / floor:       $(ratio "$work/cpu.vantoril" "$work/cpu.floor")"
if [ -n "$conky_pid" ]; then
  echo "vantoril / conky:       $(ratio "$work/cpu.vantoril" "$work/cpu.conky")"
fi
xdotool search --onlyvisible --name '^Bench Line$' >/dev/null && echo "indicator shown:        yes" || echo "indicator shown:        NO"
