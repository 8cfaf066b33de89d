# SPDX-License-Identifier: GPL-3.0-or-later
# The scene of the whole-program benchmarks, sourced by them with their arguments
# (PATH-TO-vantoril PATH-TO-bench_floor [PATH-TO-vantoril-status]; REPS and SECONDS_PER_REP
# in the environment): sets $program, $floor, $status, $reps and $seconds, runs the calling
# script again inside a private X server and a private session bus, then makes $work, a
# program folder holding a copy of the program ($work/vantoril) on a connected scenario link
# at the default intervals with the indicator shown, with its own runtime and configuration
# folders, and starts a tray. Every pid added to $pids is ended on exit. Gives conky_config,
# median and print_ratios too.
usage="usage: ${0##*/} PATH-TO-vantoril PATH-TO-bench_floor [PATH-TO-vantoril-status]"
program=$(readlink -f "${1:?$usage}")
floor=$(readlink -f "${2:?$usage}")
status=$(readlink -f "${3:-$(dirname "$program")/vantoril-status}" || true)
reps=${REPS:-5}
seconds=${SECONDS_PER_REP:-60}

if [ -z "${VANTORIL_BENCH_DISPLAY:-}" ]; then
  exec env VANTORIL_BENCH_DISPLAY=1 dbus-run-session -- \
    xvfb-run -a -s "-screen 0 1024x600x24" "$0" "$@"
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

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
trayer --edge top --align right --widthtype pixel --width 60 --height 24 >/dev/null 2>&1 &
pids+=($!)
sleep 1

# conky's configuration FILE: the same figures, redrawn at the sampling interval, in a window
# of its own.
conky_config() {
  cat > "$1" <<'CONKY'
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
}

# The median of the numbers on standard input, one a line.
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2];
  else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The median and every rep of each ratio kept in $work/floor.ratios, conky.ratios and
# panel.ratios (those not empty), then the load average before and after.
print_ratios() {
  local kept label
  for kept in "floor vantoril/floor:    " "conky vantoril/conky:    " "panel with a panel/floor:"; do
    label=${kept#* }
    kept="$work/${kept%% *}.ratios"
    if [ -s "$kept" ]; then
      echo "median $label $(median < "$kept")  (every rep: $(tr '\n' ' ' < "$kept"))"
    fi
  done
  echo "load average before: $load_before; after: $(cut -d' ' -f1-3 /proc/loadavg)"
}
