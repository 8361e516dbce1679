#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Formatting first: it takes a second, the build takes minutes.
bash scripts/format-check.sh
# A new compiler warning fails the run, here and in the fuzz build below.
export TOLV_WERROR=ON
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOLV_SANITIZE=ON -DTOLV_WERROR=ON
cmake --build build-test -j2
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Leaks inside Qt's platform and font libraries only; the project's own code is never suppressed.
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
ctest --test-dir build-test --output-on-failure -j2
# The release build (scripts/run.sh's, tests and tools included) must be warning-free as well: GCC
# warns differently once it optimises.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLV_WERROR=ON
cmake --build build-release -j2
# The fuzz target runs briefly over every reader's corpus (about 20 s each; needs clang).
if command -v clang++ >/dev/null; then
  unset ASAN_OPTIONS UBSAN_OPTIONS
  bash scripts/fuzz.sh "${TOLV_FUZZ_SECONDS:-20}"
fi
