#!/usr/bin/env bash
# Records the text fixtures of tests/fixtures/text with real GDI under Wine: builds and runs
# text-fixtures.c, then turns its bitmaps into PNG. Needs wine64, gcc-mingw-w64-x86-64,
# fonts-liberation2 and python3-pil; the tests themselves need none of them.
# Usage: make-text-fixtures.sh [--advances]   (--advances also prints advance differences)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
dest=$root/tests/fixtures/text
fonts=/usr/share/fonts/truetype/liberation2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

winpath() { echo "Z:${1//\//\\}"; }

extra=()
[ "${1:-}" = "--advances" ] && extra=(advances)
"$here/run-gdi-program.sh" "$here/text-fixtures.c" "$(winpath "$work")" "$(winpath "$fonts")" \
  "${extra[@]}"

mkdir -p "$dest"
rm -f "$dest"/*.png "$dest"/text.txt
# Debian's interpreter, which python3-pil installs for.
py=/usr/bin/python3
[ -x "$py" ] || py=python3
"$py" - "$work" "$dest" <<'PY'
import pathlib, sys
from PIL import Image
src, dest = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
for bmp in sorted(src.glob("*.bmp")):
    image = Image.open(bmp).convert("RGB")
    # Monochrome text has a handful of colours: a palette keeps the files small and exact.
    if image.getcolors(256) is not None:
        image = image.convert("P", palette=Image.ADAPTIVE, colors=256)
    image.save(dest / (bmp.stem + ".png"), optimize=True)
(dest / "text.txt").write_bytes((src / "text.txt").read_bytes())
PY
echo "Fixtures written to $dest"
