#!/usr/bin/env bash
# Builds a small Win32 C program with mingw-w64 and runs it under Wine, so that fixtures can be
# made with real GDI. Usage: run-gdi-program.sh PROGRAM.c [ARGS...]
# Needs Debian's wine64 and gcc-mingw-w64-x86-64; the tests never do.
set -euo pipefail
src=$1
shift
out=${TMPDIR:-/tmp}/qm-wine-$(basename "${src%.c}").exe
x86_64-w64-mingw32-gcc -O2 -o "$out" "$src" -lgdi32 -luser32
export WINEPREFIX=${QM_WINEPREFIX:-${TMPDIR:-/tmp}/qm-wineprefix}
export WINEDEBUG=-all
exec /usr/lib/wine/wine64 "$out" "$@"
