#!/bin/bash
# Runs the real program for 60 seconds in a private X server with a tray, on a connected
# scenario link at the default intervals with the indicator shown, and prints the time
# from start to tray icon, the CPU time used and the peak resident memory.
# Usage: run-60s.sh PATH-TO-vantoril   (needs xvfb-run, trayer, xdotool)
set -euo pipefail
program=$(readlink -f "${1:?usage: run-60s.sh PATH-TO-vantoril}")
if [ -z "${VANTORIL_BENCH_DISPLAY:-}" ]; then
  exec env VANTORIL_BENCH_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x600x24" "$0" "$@"
fi

work=$(mktemp -d)
tray=""
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [ -n "$tray" ] && kill "$tray" 2>/dev/null
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
tray=$!
sleep 1

cpu_seconds() {  # user + system time of the process, in seconds
  awk -v tick="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); printf "%.2f", ($12 + $13) / tick }' "/proc/$1/stat"
}

start=$(date +%s%N)
"$work/vantoril" &
pid=$!
until xdotool search --classname '^vantoril$' >/dev/null 2>&1; do sleep 0.005; done
shown=$(date +%s%N)
echo "start to tray icon:     $(( (shown - start) / 1000000 )) ms"

sleep 5  # the watcher shows the indicator within 2 s; start-up work is done
settled=$(cpu_seconds "$pid")
sleep 60
ended=$(cpu_seconds "$pid")
echo "CPU in 60 s running:    $(awk -v a="$settled" -v b="$ended" 'BEGIN { printf "%.2f s (%.3f %% of one core)", b - a, (b - a) / 60 * 100 }')"
echo "CPU since start:        $ended s"
echo "peak resident memory:   $(awk '/^VmHWM/ { printf "%.1f MB", $2 / 1024 }' "/proc/$pid/status")"
xdotool search --onlyvisible --name '^Bench Line$' >/dev/null && echo "indicator shown:        yes" || echo "indicator shown:        NO"
