#!/usr/bin/env bash
# Draws the GDI fixtures with real GDI under Wine and writes them to tests/fixtures/gdi/.
# Needs Debian's wine64 and gcc-mingw-w64-x86-64 (scripts/setup.sh --wine installs them);
# the tests only read the files this writes. Usage: make-gdi-fixtures.sh [FAMILY...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$here/../../tests/fixtures/gdi
mkdir -p "$out"
families=("$@")
((${#families[@]})) || families=(rectangles ellipses lines fills blits regions bitmaps16)
for family in "${families[@]}"; do
  echo "drawing $family"
  "$here/run-gdi-program.sh" "$here/gdi-fixtures.c" "$family" >"$out/$family.txt.new"
  mv "$out/$family.txt.new" "$out/$family.txt"
done
