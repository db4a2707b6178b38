#!/usr/bin/env bash
# Cross-builds for 32-bit Windows with mingw-w64 (installing what is missing through
# scripts/setup.sh): the package QuillmereAll.bpl, the framework's vcl50.bpl and vclx50.bpl,
# quillmere.exe and the runtime libraries they need, in build/windows/bin, with the Liberation
# fonts in build/windows/bin/fonts for QUILLMERE_FONTS=liberation. Prints where they are.
#   scripts/windows.sh [--x64]    (--x64: for 64-bit Windows, into build/windows-x64/bin)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh --windows >&2

arch=i686
build=build/windows
if [ "${1:-}" = "--x64" ]; then
  arch=x86_64
  build=build/windows-x64
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$arch-w64-mingw32.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQM_WERROR=ON -DQM_BUILD_TESTS=OFF -DQM_BUILD_EXAMPLES=OFF >/dev/null
cmake --build "$build" --target quillmere >&2

bin=$(cd "$build/bin" && pwd)
mkdir -p "$bin/fonts"
cp /usr/share/fonts/truetype/liberation2/Liberation{Sans,Serif,Mono}-*.ttf "$bin/fonts/"

echo "Built for Windows ($arch) in $bin:"
for f in QuillmereAll.bpl vcl50.bpl vclx50.bpl quillmere.exe; do
  echo "  $f"
done
echo "  $(cd "$bin" && ls ./*.dll | sed 's|^\./||' | tr '\n' ' ')(the compiler's runtime)"
echo "  fonts/ (the Liberation faces, for QUILLMERE_FONTS=liberation)"
echo "Run it under Wine: tools/wine/wine-run.sh $build/bin/quillmere.exe demo"
