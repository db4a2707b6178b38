#!/usr/bin/env bash
# Sets up, checks that the framework's folders stand as floors, builds with AddressSanitizer
# and UndefinedBehaviorSanitizer and runs every test, builds an optimised Release and runs
# every test again (with the install test), then runs each fuzz target for a minute.
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

./scripts/fuzz.sh 60
