#!/usr/bin/env bash
# Installs what is needed, builds and runs the tests headless.
#
#   bash scripts/test.sh          the normal build in build/: every test, the random-input run
#                                 with a short count (a few minutes on two cores)
#   bash scripts/test.sh --full   the same, then every test again under AddressSanitizer and
#                                 UndefinedBehaviorSanitizer with the full random-input run
#                                 (build-asan/), then the fuzz targets (build-fuzz/); what CI runs
set -euo pipefail
cd "$(dirname "$0")/.."
full=false
case "${1:-}" in
  --full) full=true ;;
  "") ;;
  *) echo "usage: bash scripts/test.sh [--full]" >&2; exit 2 ;;
esac

bash scripts/install-deps.sh
bash scripts/check-format.sh
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVIK_BUILD_BENCH=OFF -DTOLVIK_RANDOM_ACTIONS=3000 >/dev/null
cmake --build build -j "$(nproc)"
(cd build && ctest --output-on-failure -j "$(nproc)")
$full || exit 0

# Sanitizer build of the tests: no recovery, leaks reported except the system's own.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DTOLVIK_SANITIZE=ON -DTOLVIK_RANDOM_ACTIONS=20000 >/dev/null
cmake --build build-asan -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0
(cd build-asan && ctest --output-on-failure -j "$(nproc)")

# Fuzz targets (libFuzzer, clang): a fixed number of runs from the committed seed corpus.
CXX=clang++ cmake -S tests/fuzz -B build-fuzz -G Ninja >/dev/null
cmake --build build-fuzz -j "$(nproc)"
for target in read_number_fuzz:read:1000000 format_fuzz:format:1000000 mas_fuzz:mas:300000 design_fuzz:design:300000; do
  IFS=: read -r name corpus runs <<<"$target"
  found=$(mktemp -d)
  "build-fuzz/$name" -runs="$runs" "$found" "tests/fuzz/corpus/$corpus"
  rm -rf "$found"
done
