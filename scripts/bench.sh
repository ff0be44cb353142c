#!/usr/bin/env bash
# Builds and runs the benchmarks of the core, optimised, and prints how a
# generation compares with merely reading its phrase files and how long a
# tally of the committee's vote sheets takes a sheet; then times the
# start of the Release Tavlin.exe under Wine against a bare window program
# and a replica of its own window.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$TAVLIN_ROOT/scripts/install-deps.sh"
bench_tree="$TAVLIN_BUILD/bench"
cmake -S "$TAVLIN_ROOT" -B "$bench_tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF -DTAVLIN_BENCHMARKS=ON >/dev/null
cmake --build "$bench_tree" --target tavlin_bench
"$bench_tree/bench/tavlin_bench" "$@"

echo "== Start-up under Wine"
configure_windows
cmake --build "$TAVLIN_WINDOWS" --target Tavlin startup_bench bare_window window_replica
startup_folder="$TAVLIN_BUILD/startup"
rm -rf "$startup_folder"
mkdir -p "$startup_folder"
# With the reading dictionary beside it, as it ships: the program reads it
# once the first slogans show, after the moment timed.
cp "$TAVLIN_WINDOWS/Tavlin.exe" "$TAVLIN_WINDOWS/bare_window.exe" "$TAVLIN_WINDOWS/window_replica.exe" \
  "$TAVLIN_ROOT"/examples/*.txt "$bench_tree/読み辞書.dic" "$startup_folder/"
ensure_wine_prefix
ensure_display
trap 'wineserver -k 2>/dev/null || true; stop_display' EXIT
# Timed as it always was: Wine leaves each window's frame to a window
# manager, as Windows leaves it to its own. With none here, every close then
# waits two seconds, which also lets the system settle between starts.
set_window_management managed
# The Wine server, the X server and every program timed share one CPU:
# under Wine a start is thousands of round trips to the server, and on a
# virtual machine whose idle CPUs halt, one between two CPUs takes 25 times
# one on a single CPU (see README.md). TAVLIN_BENCH_ANY_CPU=1 times them
# where the system places them.
run_pinned=()
if [[ -z "${TAVLIN_BENCH_ANY_CPU:-}" ]]; then
  cpu=$(taskset -cp $$ | sed 's/.*[-,: ]//')
  run_pinned=(taskset -c "$cpu")
  wineserver -k 2>/dev/null || true
  wineserver -w
  [[ -n "${TAVLIN_XVFB_PID:-}" ]] && taskset -a -p -c "$cpu" "$TAVLIN_XVFB_PID" >/dev/null
  "${run_pinned[@]}" wineserver -p 60
fi
"${run_pinned[@]}" wine "$TAVLIN_WINDOWS/startup_bench.exe" "Z:$startup_folder" 31
