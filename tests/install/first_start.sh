#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs into a temporary prefix, starts the installed program as an ordinary user with
# a home folder of its own under Xvfb, and checks the per-user files made from the
# shipped defaults. Exit 77 means skipped.
set -euo pipefail
build=$1
skip() { echo "SKIPPED: $*"; exit 77; }

command -v Xvfb >/dev/null || skip "Xvfb is not installed"
command -v setpriv >/dev/null || skip "setpriv is not installed"
command -v dbus-daemon >/dev/null || skip "dbus-daemon is not installed"
[ "$(id -u)" -eq 0 ] || skip "needs root to run the installed program as another user"

work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/vantoril bin/vantoril-script share/applications/vantoril.desktop \
         share/icons/hicolor/48x48/apps/vantoril.png share/icons/hicolor/scalable/apps/vantoril.svg \
         share/metainfo/org.example.vantoril.metainfo.xml share/vantoril/inet.conf \
         share/vantoril/script.vsc share/doc/vantoril/README.md share/doc/vantoril/copyright; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
# Manual pages and the changelog are installed compressed, and each must unpack.
for f in share/man/man1/vantoril.1.gz share/man/man1/vantoril-script.1.gz share/doc/vantoril/changelog.gz; do
  gzip -t "$prefix/$f" || { echo "not installed compressed: $f"; exit 1; }
done
"$prefix/bin/vantoril-script" check "$prefix/share/vantoril/script.vsc"

# An ordinary user cannot write the program's folder, so the per-user folder is used.
home=$work/home
mkdir -p "$home/.local/share/Vantoril" "$work/runtime"
echo "keep" > "$home/.local/share/Vantoril/tar.dat"   # a user's own file is never replaced
chown -R nobody: "$home" "$work/runtime"
chmod 700 "$work/runtime"

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -ac -nolisten tcp -screen 0 1024x768x24 3>"$work/display" >/dev/null 2>&1 & pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
display=:$(head -n 1 "$work/display")
# Runs a command as the ordinary user, in place of the (sub)shell that calls it, so that
# a background one's pid is the command's own.
as_user() {
  exec env -i HOME="$home" DISPLAY="$display" XDG_RUNTIME_DIR="$work/runtime" PATH=/usr/bin:/bin \
    LANG=C.UTF-8 DBUS_SESSION_BUS_ADDRESS="${bus:-}" \
    setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"
}
as_user dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >/dev/null & pids+=($!)
for _ in $(seq 100); do [ -s "$work/bus" ] && break; sleep 0.1; done
bus=$(head -n 1 "$work/bus")
[ -n "$bus" ] || { echo "the session bus did not start"; exit 1; }
as_user "$prefix/bin/vantoril" >"$work/out.log" 2>&1 & program=$!
pids+=("$program")

data=$home/.local/share/Vantoril
for _ in $(seq 100); do
  [ -e "$data/script.vsc" ] && [ -e "$data/tar.money.dat" ] && break
  sleep 0.1
done
for f in inet.conf tar.money.dat script.vsc; do
  cmp "$prefix/share/vantoril/$f" "$data/$f" || { echo "not copied: $f"; cat "$work/out.log"; exit 1; }
done
[ "$(cat "$data/tar.dat")" = keep ] || { echo "the user's tar.dat was replaced"; exit 1; }
[ ! -e "$prefix/bin/inet.conf" ] || { echo "wrote beside the installed program"; exit 1; }
kill -0 "$program" || { echo "the program ended"; cat "$work/out.log"; exit 1; }
echo "installed program started with its per-user folder $data"

# The chart module is installed where the program finds it, and mapped only once the
# history window shows its chart.
module=$(find "$prefix" -name chart.so)
[ -n "$module" ] || { echo "the chart module is not installed"; exit 1; }
! grep -q "/chart.so" "/proc/$program/maps" || { echo "the chart module was loaded at start"; exit 1; }
for _ in $(seq 100); do
  (as_user dbus-send --session --print-reply --reply-timeout=1000 --dest=org.example.Vantoril \
    /org/example/Vantoril org.example.Vantoril.ShowHistory) >/dev/null 2>&1 && break
  sleep 0.1
done
for _ in $(seq 100); do grep -q " $module\$" "/proc/$program/maps" && break; sleep 0.1; done
grep -q " $module\$" "/proc/$program/maps" ||
  { echo "the history window did not load $module"; cat "$work/out.log"; exit 1; }
echo "the history window loaded the installed chart module $module"
