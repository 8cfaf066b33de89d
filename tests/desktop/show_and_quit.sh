#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher's actions on a private display and session bus: --quit alone ends quietly;
# --show history starts the program with that window; --show statistics reaches it over the
# bus and ends at once with no box; --quit ends it, status 0. Exit 77 means skipped.
set -euo pipefail
program=$1
command -v xdotool >/dev/null || { echo "SKIPPED: xdotool is not installed"; exit 77; }

work=$(mktemp -d)
program_pid=""
cleanup() { kill $program_pid 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAILED: $*"; cat "$work"/*.log 2>/dev/null; exit 1; }

cp "$program" "$work/vantoril"
printf '[Vantoril]\r\nlink_source=scenario:none.scenario\r\n' > "$work/inet.conf"
printf '0 down\n' > "$work/none.scenario"
mkdir -m 700 "$work/run" "$work/home"

run() {  # the program's environment: its own runtime and config folders
  HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/run" \
    timeout 20 "$work/vantoril" "$@"
}
wait_for() {  # wait_for DESCRIPTION COMMAND...: up to 10 s for COMMAND to succeed
  local what=$1; shift
  for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  fail "$what"
}
visible() { xdotool search --onlyvisible --name "$1"; }

run --quit >"$work/quit-alone.log" 2>&1 || fail "--quit with no program ended with status $?"

run --show history >"$work/program.log" 2>&1 & program_pid=$!
wait_for "--show history with no program did not open the history window" visible '^История и бюджет$'

run --show statistics >"$work/show.log" 2>&1 || fail "--show statistics ended with status $?"
wait_for "the running program did not open its statistics" visible '^Просмотр статистики$'
visible '^Vantoril$' && fail "a box was shown"

run --quit >"$work/quit.log" 2>&1 || fail "--quit ended with status $?"
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "--quit did not end the running program"
wait "$program_pid" || fail "the program ended with status $?"
