#!/usr/bin/env bash
# Sets up, checks that the framework's folders stand as floors, builds with AddressSanitizer
# and UndefinedBehaviorSanitizer and runs every test, builds an optimised Release and runs
# every test again (with the install test), cross-builds for Windows and runs the Windows
# build's tests under Wine (the 32-bit build's where wine32 installs; elsewhere its package is
# built and read back), then runs each fuzz target for a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
python3 tools/check-floors.py

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -DQM_WERROR=ON >/dev/null
cmake --build build/asan
ctest --test-dir build/asan --output-on-failure -j2

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=ON -DQM_WERROR=ON >/dev/null
cmake --build build/release
ctest --test-dir build/release --output-on-failure -j2

# The Windows build: 64-bit under wine64 every time, 32-bit where wine32 could be installed.
./scripts/setup.sh --windows
windows_tests() {
  local arch=$1 build=$2
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$arch-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DQM_WERROR=ON -DQM_BUILD_EXAMPLES=OFF >/dev/null
  cmake --build "$build"
  # Wine now and then fails to start a process when the machine is busy: a test that fails
  # runs once more before it counts.
  ctest --test-dir "$build" --output-on-failure -j2 --repeat until-pass:2
}
windows_tests x86_64 build/windows-x64
if [ -x /usr/lib/wine/wine ]; then
  windows_tests i686 build/windows-i686
else
  # Without wine32 the 32-bit package is still built and read back, which needs no Wine.
  cmake -S . -B build/windows-i686 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake \
    -DCMAKE_BUILD_TYPE=Release -DQM_WERROR=ON -DQM_BUILD_EXAMPLES=OFF >/dev/null
  cmake --build build/windows-i686 --target QuillmereAll quillmere
  ctest --test-dir build/windows-i686 --output-on-failure -R '^package-resources$'
  echo "Skipping the 32-bit Windows tests under Wine: wine32 is not installed (Debian's i386" \
       "packages could not be installed here); the 32-bit package was built and read back, and" \
       "the same sources were tested as 64-bit Windows"
fi

./scripts/fuzz.sh 60
