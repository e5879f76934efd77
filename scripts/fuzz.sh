#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build/fuzz, and runs each for a given time.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     (default: 300 seconds, every target)
#
# At most FUZZ_PARALLEL targets (default 3) run at once; the build uses FUZZ_BUILD_JOBS (default
# 3). Each target starts from its committed seeds (fuzz/corpus/<target>) and grows its own corpus
# in build/fuzz/corpus/<target>. What a run finds lands in build/fuzz/findings/<target>/: keep
# each such input in fuzz/regressions/<target>/ once mended, so the normal tests replay it.
# Runs end with a table: target, seconds, inputs tried, corpus size, findings.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)
seconds=${1:-300}
shift || true
parallel=${FUZZ_PARALLEL:-3}
build="$repo/build/fuzz"

"$here/ensure-packages.sh"
"$here/ensure-packages.sh" "$here/fuzz-packages.txt"
"$here/ensure-npm-packages.sh"

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  mapfile -t targets < <(sed -n 's/^rhyth_fuzz_target(\([a-z_0-9]*\).*/\1/p' "$repo/fuzz/CMakeLists.txt")
fi

# The whole tree carries the coverage instrumentation; only the fuzz executables link libFuzzer.
CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DRHYTH_SANITIZE=ON -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link \
  >"$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
cmake --build "$build" -j "${FUZZ_BUILD_JOBS:-3}" --target "${targets[@]/#/fuzz_}"

run_target() {
  local target=$1
  local corpus="$build/corpus/$target" findings="$build/findings/$target" log="$build/logs/$target.log"
  mkdir -p "$corpus" "$findings" "$build/logs"
  local start=$SECONDS
  ASAN_OPTIONS=allocator_may_return_null=0 \
    "$build/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -malloc_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$corpus" "$repo/fuzz/corpus/$target" >"$log" 2>&1 || true
  local tried
  tried=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  printf '%s\t%s\t%s\t%s\t%s\n' "$target" "$((SECONDS - start))" "${tried:-?}" \
    "$(find "$corpus" -type f | wc -l)" "$(find "$findings" -type f | wc -l)" >"$build/logs/$target.row"
}

for target in "${targets[@]}"; do
  while [[ $(jobs -rp | wc -l) -ge $parallel ]]; do wait -n; done
  echo "Fuzzing $target for $seconds s (log: build/fuzz/logs/$target.log)"
  run_target "$target" &
done
wait

printf '\n%s\t%s\t%s\t%s\t%s\n' target seconds "inputs tried" "corpus size" findings
for target in "${targets[@]}"; do cat "$build/logs/$target.row"; done
