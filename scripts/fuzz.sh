#!/usr/bin/env bash
# Builds every libFuzzer target of fuzz/ with clang (in build/fuzz) and runs each one for
# SECONDS (default 60) from its seeds in fuzz/corpus/<name>/ with fuzz/dict/<name>.dict.
# Every input must finish within 1 s and 256 MB without a sanitizer report; the script fails
# if any does not, and leaves the input in build/fuzz/crashes/<name>/.
#
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
  -h|--help) sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
esac
seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || (($# > 1)); then
  echo "usage: scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi

build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQM_SANITIZE=ON -DQM_BUILD_FUZZ=ON -DQM_BUILD_TESTS=OFF -DQM_BUILD_EXAMPLES=OFF -DQM_WERROR=ON >/dev/null
cmake --build "$build" --target fuzzers -j2

# A fuzzer may meet the largest image the reader allows (128 MB of pixels) on every run;
# AddressSanitizer's quarantine of freed blocks would otherwise count twice that towards the
# memory limit.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=16"

failed=()
for source in fuzz/*_fuzzer.cpp; do
  name="$(basename "$source" _fuzzer.cpp)"
  # New inputs go into a working corpus in the build folder; the seeds stay as they are.
  corpus="$build/corpus/$name" crashes="$build/crashes/$name" log="$build/$name.log"
  mkdir -p "$corpus" "$crashes"
  args=(-max_total_time="$seconds" -timeout=1 -rss_limit_mb=256 -print_final_stats=1
        -artifact_prefix="$crashes/")
  [ -f "fuzz/dict/$name.dict" ] && args+=(-dict="fuzz/dict/$name.dict")
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
  echo "fuzzing $name for ${seconds}s (log: $log)"
  if "$build/fuzz/${name}_fuzzer" "${args[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_runs|^#[0-9]+.*DONE' "$log" | tail -1 | sed 's/^/  /'
  else
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | sed 's/^/  /' || tail -20 "$log"
    echo
    failed+=("$name")
  fi
done

if ((${#failed[@]})); then
  echo "fuzzing found failures in: ${failed[*]}; the inputs are in $build/crashes/." >&2
  echo "Fix them and keep each input as a regression test (tests/fixtures/<name>-regressions/," >&2
  echo "or tests/fixtures/forms-bad/ for the form readers)." >&2
  exit 1
fi
echo "fuzzing: no failures"
