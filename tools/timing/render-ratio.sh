#!/usr/bin/env bash
# Times the rendering of the gallery on Linux (the framework's rasterizer) and, in the same run,
# through the Windows build's real GDI under Wine, and prints the ratio: each side the median of
# ten passes inside one process, so that neither start-up counts.
#   tools/timing/render-ratio.sh      (builds build/release and build/windows-x64 as needed)
set -euo pipefail
cd "$(dirname "$0")/../.."
for build in "build/release" "build/windows-x64"; do
  extra=()
  [ "$build" = build/windows-x64 ] &&
    extra=(-DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake -DQM_BUILD_EXAMPLES=OFF)
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_WERROR=ON -DQM_BUILD_TIMING=ON \
    "${extra[@]}" >/dev/null
  cmake --build "$build" --target render-timing quillmere >&2
done
form=$(mktemp --suffix=.txt)
trap 'rm -f "$form" "${form%.txt}.png"' EXIT
build/release/app/quillmere demo -o "${form%.txt}.png" --form "$form" >/dev/null
linux=$(build/release/tools/timing/render-timing "$form")
windows=$(QUILLMERE_FONTS=liberation tools/wine/wine-run.sh build/windows-x64/bin/render-timing.exe "$form")
echo "Linux, the framework's rasterizer:  $linux"
echo "Windows, real GDI under Wine:       $windows"
awk -v l="${linux%% *}" -v w="${windows%% *}" 'BEGIN { printf "ratio Wine/Linux: %.2f\n", w / l }'
