#!/usr/bin/env bash
# Builds and runs the benchmarks of the core, optimised, and prints how a
# generation compares with merely reading its phrase files.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$TAVLIN_ROOT/scripts/install-deps.sh"
bench_tree="$TAVLIN_BUILD/bench"
cmake -S "$TAVLIN_ROOT" -B "$bench_tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF -DTAVLIN_BENCHMARKS=ON >/dev/null
cmake --build "$bench_tree" --target tavlin_bench
"$bench_tree/bench/tavlin_bench" "$@"
