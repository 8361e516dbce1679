#!/usr/bin/env bash
# Builds the libFuzzer target with clang and runs it for SECONDS per readable extension.
#   bash scripts/fuzz.sh [SECONDS] [EXTENSION ...]     (default: 20 seconds, every extension)
# The extensions are those of the format table: fuzz_make_seeds writes a seed folder for each.
# TOLV_FUZZ_JOBS extensions are fuzzed at once (default: the number of cores).
# Seeds are the kept case files of tests/data/<ext>/ (fuzz_make_seeds) and tests/data/regress. New corpus
# entries stay in build-fuzz/corpus/<ext>; a finding is written to build-fuzz/artifacts/<ext>/
# and makes the script fail. Keep every finding as a regression file in tests/data/regress/.
# TOLV_WERROR=ON makes a compiler warning fail the build (scripts/test.sh sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
[ $# -gt 0 ] && shift
targets=("$@")
jobs=${TOLV_FUZZ_JOBS:-$(nproc)}
if ! command -v clang++ >/dev/null; then
  echo "clang++ not found: fuzzing skipped"
  exit 0
fi
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOLV_BUILD_APP=OFF -DTOLV_BUILD_TESTS=OFF -DTOLV_BUILD_FUZZ=ON -DTOLV_WERROR="${TOLV_WERROR:-OFF}" >/dev/null
cmake --build "$build" -j2
rm -rf "$build/seeds"
"$build/fuzz/fuzz_make_seeds" tests/data "$build/seeds"
[ ${#targets[@]} -eq 0 ] && mapfile -t targets < <(ls "$build/seeds")

# Fuzzes one extension; its log is build-fuzz/fuzz-<ext>.log and its exit status tells the outcome.
fuzz_one() {
  local ext=$1
  local corpus="$build/corpus/$ext" regress="$build/regress/$ext" artifacts="$build/artifacts/$ext"
  mkdir -p "$corpus" "$regress" "$artifacts"
  find tests/data/regress -name "*.$ext" -exec cp {} "$regress/" \; 2>/dev/null || true
  # Hangs (10 s), memory growth (1 GB) and any single allocation over 4 MB count as findings:
  # no reader may allocate more than a few times the largest heightmap.
  TOLV_FUZZ_EXT=$ext "$build/fuzz/fuzz_open" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
    -malloc_limit_mb=4 -max_len=65536 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$corpus" "$build/seeds/$ext" "$regress" 2>"$build/fuzz-$ext.log"
}

report() {
  local ext=$1 status=$2
  if [ "$status" -ne 0 ]; then
    echo "== fuzz_open .$ext: FINDING (exit $status)"
    tail -n 60 "$build/fuzz-$ext.log"
    return 1
  fi
  echo "== fuzz_open .$ext: $seconds s, $(grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" \
    "$build/fuzz-$ext.log" | tr '\n' ' ')"
}

failed=()
declare -A running=()
for ext in "${targets[@]}"; do
  while [ ${#running[@]} -ge "$jobs" ]; do
    set +e; wait -n -p done_pid; status=$?; set -e
    report "${running[$done_pid]}" "$status" || failed+=("${running[$done_pid]}")
    unset "running[$done_pid]"
  done
  fuzz_one "$ext" &
  running[$!]=$ext
done
while [ ${#running[@]} -gt 0 ]; do
  set +e; wait -n -p done_pid; status=$?; set -e
  report "${running[$done_pid]}" "$status" || failed+=("${running[$done_pid]}")
  unset "running[$done_pid]"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found problems in: ${failed[*]} (inputs in $build/artifacts/)"
  exit 1
fi
