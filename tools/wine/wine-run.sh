#!/usr/bin/env bash
# Runs a Windows program under Wine, in a prefix of the project's own with the classic Windows
# desktop (classic-desktop.reg: the classic colour scheme, screen fonts without smoothing),
# made on first use. 32-bit programs need Debian's wine32, 64-bit ones wine64.
#   wine-run.sh PROGRAM.exe [ARGS...]
# QM_WINEPREFIX names the prefix (default: build/wine-prefix in the source tree). A program
# that opens windows on an X server of its own sets QM_WINE_OWN_DISPLAY=1: Wine's session has
# one desktop, on the display of the program that first needed it (a headless program needs it
# too), so such a program runs in a prefix of its own (build/wine-prefix-display) and first
# waits until the session there has ended. The exit status is the program's.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ "${QM_WINE_OWN_DISPLAY:-}" = 1 ]; then
  export WINEPREFIX=${QM_WINEPREFIX:-$root/build/wine-prefix-display}
else
  export WINEPREFIX=${QM_WINEPREFIX:-$root/build/wine-prefix}
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No dialogs about missing Mono or Gecko while the prefix is made.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

program=$1
# The machine field of the PE header says which loader runs the program.
pe=$(od -An -tu4 -j60 -N4 "$program" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$program" | tr -d ' ')
if [ "$machine" = "014c" ]; then
  loader=/usr/lib/wine/wine
else
  loader=/usr/lib/wine/wine64
fi
if [ ! -x "$loader" ]; then
  echo "wine-run.sh: $loader is missing (install ${loader##*/}$([ "$machine" = 014c ] && echo 32))" >&2
  exit 127
fi

# The prefix is made once, under a lock, since tests run side by side.
if [ ! -f "$WINEPREFIX/.quillmere-desktop" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.quillmere-desktop" ]; then
      /usr/lib/wine/wine64 regedit /S "$(sed 's|/|\\|g; s|^|Z:|' <<<"$here/classic-desktop.reg")" \
        >/dev/null 2>&1
      /usr/lib/wine/wineserver -w
      touch "$WINEPREFIX/.quillmere-desktop"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
if [ "${QM_WINE_OWN_DISPLAY:-}" = 1 ]; then
  /usr/lib/wine/wineserver -w 2>/dev/null || true
fi
exec "$loader" "$@"
