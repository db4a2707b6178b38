#!/usr/bin/env bash
# Renders the gallery and the form files of the repository with the Linux build's quillmere
# (the framework's rasterizer) and with the Windows build's quillmere.exe under Wine (the
# system's GDI, with the Liberation faces), as they stand and as a design environment shows
# them, three frames each, and prints for each picture how many pixels differ. The pictures
# and, where they differ, a map of the differing pixels (red) are kept in the output folder.
#   tools/wine/compare-renders.sh [LINUX_TOOL [WINDOWS_TOOL [OUTDIR]]]
# Defaults: build/release/app/quillmere, build/windows-x64/bin/quillmere.exe and a fresh
# temporary folder. Exits 0 when every picture is the same on both, 1 when one differs.
set -euo pipefail
cd "$(dirname "$0")/../.."
linux=${1:-build/release/app/quillmere}
windows=${2:-build/windows-x64/bin/quillmere.exe}
out=${3:-$(mktemp -d)}
[ -x "$linux" ] || { echo "no Linux quillmere at $linux" >&2; exit 2; }
[ -f "$windows" ] || { echo "no Windows quillmere.exe at $windows" >&2; exit 2; }
mkdir -p "$out"

# The gallery as a form file, so that both sides read the same form; the fuzzers' sample
# inputs that are forms to render (some are not, on purpose) come along.
"$linux" demo -o "$out/demo.png" --form "$out/demo-gallery.txt" >/dev/null
forms=("$out/demo-gallery.txt" docs/forms/*.txt fuzz/corpus/form_text/*.txt)

# Three frames half a second apart each: the marquee moves on, the rest stands.
frames=(--frames 3 --interval 500)
pairs=()
for form in "${forms[@]}"; do
  name=$(basename "${form%.txt}")
  for mode in standing designing; do
    flags=("${frames[@]}")
    [ "$mode" = designing ] && flags+=(--designing)
    if ! "$linux" render "$form" -o "$out/$name-$mode.linux.png" "${flags[@]}" >/dev/null 2>&1; then
      echo "$form: not a form to render, left out"
      break
    fi
    QUILLMERE_FONTS=liberation tools/wine/wine-run.sh "$windows" render \
      "$(realpath --relative-to=. "$form")" -o "$(realpath --relative-to=. "$out")/$name-$mode.windows.png" \
      "${flags[@]}" >/dev/null
    for frame in 000 001 002; do
      mv "$out/$name-$mode.linux-$frame.png" "$out/$name-$mode-$frame.linux.png"
      mv "$out/$name-$mode.windows-$frame.png" "$out/$name-$mode-$frame.windows.png"
      pairs+=("$out/$name-$mode-$frame")
    done
  done
done

status=0
/usr/bin/python3 - "${pairs[@]}" <<'EOF' || status=$?
import sys
from PIL import Image

different = 0
print("%-32s %s" % ("picture", "differing pixels (Windows under Wine / Linux)"))
for stem in sys.argv[1:]:
    a = Image.open(stem + ".linux.png").convert("RGB")
    b = Image.open(stem + ".windows.png").convert("RGB")
    name = stem.rsplit("/", 1)[-1]
    if a.size != b.size:
        print("%-32s sizes differ: %s and %s" % (name, a.size, b.size))
        different += 1
        continue
    pa, pb = a.load(), b.load()
    diff = Image.new("RGB", a.size, (255, 255, 255))
    pd = diff.load()
    count = 0
    for y in range(a.size[1]):
        for x in range(a.size[0]):
            if pa[x, y] != pb[x, y]:
                count += 1
                pd[x, y] = (255, 0, 0)
    print("%-32s %d of %d" % (name, count, a.size[0] * a.size[1]))
    if count:
        diff.save(stem + ".diff.png")
        different += 1
sys.exit(1 if different else 0)
EOF
echo "pictures in $out"
exit $status
