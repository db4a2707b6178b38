#!/usr/bin/env bash
# Opens the gallery in a real window on a virtual X server (Xvfb), photographs it twice (the
# pixels the window presented, read back by the tool, and the X server's own screen) and checks
# both against the headless rendering of the same form. The marquee's band may differ, since
# the caption moves while the window is open; every other pixel must be the same.
#
#   tests/screenshot/xvfb_screenshot.sh [QUILLMERE [OUTDIR]] [--readme-image FILE]
#
# Exits 0 when the pictures match, 1 when they do not, 77 (skipped) when Xvfb or Python's PIL
# with X support is missing.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
. "$here/xvfb_common.sh"
parse_arguments 10 "$@"

# Debian's Python, which python3-pil installs into, whatever python3 comes first on PATH.
python=/usr/bin/python3
if ! command -v Xvfb >/dev/null; then echo "skipped: Xvfb is not installed"; exit 77; fi
if ! "$python" -c 'from PIL import ImageGrab, features; assert features.check("xcb")' 2>/dev/null; then
  echo "skipped: $python has no PIL with X support (python3-pil)"; exit 77
fi
[ -x "$tool" ] || { echo "no quillmere at $tool" >&2; exit 1; }

window=""
xvfb=""
cleanup() {
  [ -n "$window" ] && kill "$window" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
start_xvfb 1024x768x24

"$tool" demo -o "$out/headless.png" --form "$out/gallery.txt" >/dev/null

# The GL drivers of an X server keep allocations past their unloading, which LeakSanitizer
# would report for a sanitized build; the pictures are what this script checks.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
  "$tool" demo --show --screenshot "$out/presented.png" --after 1500 >"$out/window.log" 2>&1 &
window=$!
for _ in $(seq 100); do
  grep -q '^Showing' "$out/window.log" 2>/dev/null && break
  kill -0 "$window" 2>/dev/null || break
  sleep 0.1
done
grep -q '^Showing' "$out/window.log" || { echo "the window did not open:" >&2; cat "$out/window.log" >&2; exit 1; }
sleep 0.5
"$python" -c 'import sys; from PIL import ImageGrab; ImageGrab.grab(xdisplay=sys.argv[1]).save(sys.argv[2])' \
  "$DISPLAY" "$out/screen.png"
status=0
wait "$window" || status=$?
window=""
[ "$status" -eq 0 ] || { echo "quillmere demo --show ended with $status:" >&2; cat "$out/window.log" >&2; exit 1; }

"$python" "$here/compare_window.py" "$out/headless.png" "$out/gallery.txt" "$out/presented.png" \
  "$out/screen.png" ${readme_image:+--crop-to "$readme_image"}
