#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each for the given number of
# seconds (default 60), two at a time. The corpora grow in build/fuzz/corpus;
# the seeds in fuzz/corpus stay as they are. Usage: scripts/fuzz.sh [seconds]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$TAVLIN_ROOT/scripts/install-deps.sh"
seconds="${1:-60}"
tree="$TAVLIN_BUILD/fuzz"
CC=clang CXX=clang++ cmake -S "$TAVLIN_ROOT" -B "$tree" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DTAVLIN_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
  >/dev/null
cmake --build "$tree"

run_target() {
  local target="$1" corpus="$tree/corpus/$1"
  mkdir -p "$corpus"
  "$tree/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
    "$corpus" "$TAVLIN_ROOT/fuzz/corpus/$target" >"$tree/$target.log" 2>&1
  local status=$?
  echo "$target: exit $status, $(grep -h 'stat::number_of_executed_units' "$tree/$target.log" | awk '{print $2}') runs in ${seconds}s"
  return "$status"
}

status=0
targets=(phrase_lines storage_load store_slogan path_rules formatters os_description)
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  run_target "${targets[i]}" & first=$!
  pids=("$first")
  if ((i + 1 < ${#targets[@]})); then
    run_target "${targets[i + 1]}" & pids+=($!)
  fi
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
done
exit "$status"
