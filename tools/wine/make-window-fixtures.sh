#!/usr/bin/env bash
# Drives real user32 windows under Wine (list boxes, their scroll bars, sunken edges) and
# writes what they drew and did to tests/fixtures/windows/. Needs Debian's wine64 and
# gcc-mingw-w64-x86-64 (scripts/setup.sh --wine installs them); the tests only read the files
# this writes. Usage: make-window-fixtures.sh [FAMILY...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$here/../../tests/fixtures/windows
mkdir -p "$out"
families=("$@")
((${#families[@]})) || families=(scrollbars edges listbox)
for family in "${families[@]}"; do
  echo "driving $family"
  "$here/run-gdi-program.sh" "$here/window-fixtures.c" "$family" >"$out/$family.txt.new"
  mv "$out/$family.txt.new" "$out/$family.txt"
done
