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
# Windows without a display (the null graphics driver) and in the classic look (no theme).
if [[ ! -e $WINEPREFIX/.qm-windows ]]; then
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
    /v ThemeActive /d 0 /f >/dev/null
  # Let the prefix's server end, so that the next start reads the settings.
  /usr/lib/wine/wineserver -w
  touch "$WINEPREFIX/.qm-windows"
fi
exec /usr/lib/wine/wine64 "$out" "$@"
