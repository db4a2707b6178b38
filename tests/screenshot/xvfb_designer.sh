#!/usr/bin/env bash
# Opens the gallery in the designer's window on a virtual X server (Xvfb) and checks that the
# window shows the design surface that the designer draws headless (its screenshot command),
# pixel for pixel outside the marquee, whose caption moves while the window is open.
#
#   tests/screenshot/xvfb_designer.sh [QUILLMERE [OUTDIR]] [--readme-image FILE]
#
# --readme-image writes the window's picture to FILE. Exits 0 when the pictures match, 1 when
# they do not, 77 (skipped) when Xvfb or Python's PIL is missing.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
. "$here/xvfb_common.sh"
parse_arguments 9 "$@"

python=/usr/bin/python3
if ! command -v Xvfb >/dev/null; then echo "skipped: Xvfb is not installed"; exit 77; fi
if ! "$python" -c 'import PIL' 2>/dev/null; then echo "skipped: $python has no PIL"; exit 77; fi
[ -x "$tool" ] || { echo "no quillmere at $tool" >&2; exit 1; }

xvfb=""
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; wait 2>/dev/null || true' EXIT
start_xvfb 1280x800x24

"$tool" demo -o "$out/gallery.png" --form "$out/gallery.txt" >/dev/null
echo "screenshot $out/surface.png" >"$out/screenshot.script"
"$tool" design "$out/gallery.txt" --script "$out/screenshot.script"
# The GL drivers of an X server keep allocations past their unloading, which LeakSanitizer
# would report for a sanitized build; the pictures are what this script checks.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
  "$tool" design "$out/gallery.txt" --recovery-dir "$out/recovery" \
  --screenshot "$out/designer.png" --after 1000 >"$out/window.log" 2>&1 ||
  { echo "the designer's window failed:" >&2; cat "$out/window.log" >&2; exit 1; }

"$python" "$here/compare_designer.py" "$out/surface.png" "$out/gallery.txt" "$out/designer.png"
status=$?
[ -z "$readme_image" ] || cp "$out/designer.png" "$readme_image"
exit "$status"
