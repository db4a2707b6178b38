#!/usr/bin/env bash
# Runs a command on a virtual X server of its own, which it starts and stops:
#   with-xvfb.sh COMMAND [ARGS...]
# Exits with the command's status, or 77 (skipped) when Xvfb is not installed.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "skipped: Xvfb is not installed"; exit 77; }
fifo=$(mktemp -u)
mkfifo "$fifo"
exec 3<>"$fifo"
rm -f "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true' EXIT
display=""
read -r -t 10 display <&3 || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$display" "$@"
