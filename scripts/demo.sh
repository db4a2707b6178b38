#!/usr/bin/env bash
# Sets up, builds (Release) and runs `quillmere demo`; extra arguments go to the demo command.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=ON -DQM_WERROR=ON >/dev/null
cmake --build build/release --target quillmere
./build/release/app/quillmere demo "$@"
