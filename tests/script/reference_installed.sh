#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs into a temporary prefix and checks that the script language reference is there
# (manual page and both Markdown versions) and that man formats the page without a
# warning. Exit 77 means skipped.
set -euo pipefail
build=$1
source_dir=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work" >/dev/null

for f in share/doc/vantoril/script-language.md share/doc/vantoril/script-language.en.md; do
  [ -f "$work/$f" ] || { echo "not installed: $f"; exit 1; }
done
pages=()
for dir in man5 ru/man5; do  # the page may be installed compressed
  page=$(ls "$work"/share/man/$dir/vantoril-script.5* 2>/dev/null | head -n 1)
  [ -n "$page" ] || { echo "not installed: share/man/$dir/vantoril-script.5"; exit 1; }
  pages+=("$page")
done

command -v man >/dev/null || { echo "SKIPPED: man is not installed"; exit 77; }
for p in "${pages[@]}" "$source_dir"/docs/man/*.[1-9] "$source_dir"/docs/man/*/*.[1-9]; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$p" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$p: $warnings"; exit 1; }
done
LC_ALL=C.UTF-8 MANWIDTH=80 man -M "$work/share/man" 5 vantoril-script | grep -q "script language of Vantoril" \
  || { echo "man 5 vantoril-script does not find the installed page"; exit 1; }
