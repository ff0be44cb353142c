#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: the core
# tests natively, then the Windows build of the same tests under Wine.
#   test.sh --under-load: the end-to-end tests alone, while every CPU is kept
#   busy by other processes, as on a loaded CI machine; a wait that takes a
#   sign for the step it waits for fails there.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$TAVLIN_ROOT/scripts/install-deps.sh" || exit 1

load=()
cleanup() {
  ((${#load[@]})) && kill "${load[@]}" 2>/dev/null
  wineserver -k >/dev/null 2>&1 || true
  stop_display
}
trap cleanup EXIT

if [[ ${1:-} == --under-load ]]; then
  build_reading_dictionary -DTAVLIN_WERROR=ON &&
    configure_windows -DTAVLIN_WERROR=ON &&
    cmake --build "$TAVLIN_WINDOWS" &&
    ensure_wine_prefix && ensure_display || exit 1
  for ((cpu = 0; cpu < $(nproc); ++cpu)); do
    (while :; do :; done) &
    load+=($!)
  done
  echo "== End-to-end tests under Wine, with $(nproc) busy processes beside them"
  ctest --test-dir "$TAVLIN_WINDOWS" -R tavlin_e2e_tests --output-on-failure -V
  exit
fi

status=0

echo "== Native build and tests"
if configure_native -DTAVLIN_WERROR=ON && cmake --build "$TAVLIN_NATIVE"; then
  ctest --test-dir "$TAVLIN_NATIVE" --output-on-failure || status=1
else
  status=1
fi

echo "== Native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
if configure_sanitize -DTAVLIN_WERROR=ON && cmake --build "$TAVLIN_SANITIZE"; then
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$TAVLIN_SANITIZE" --output-on-failure || status=1
else
  status=1
fi

echo "== Windows build and tests under Wine"
if configure_windows -DTAVLIN_WERROR=ON && cmake --build "$TAVLIN_WINDOWS"; then
  if ensure_wine_prefix && ensure_display; then
    # Verbose, so that each program's own count of tests shows.
    ctest --test-dir "$TAVLIN_WINDOWS" --output-on-failure -V || status=1
  else
    status=1
  fi
else
  status=1
fi

echo "== The release package"
expected_listing=$(printf '%s\n' Tavlin.exe はじめにお読みください.txt ポスターの例.png \
  読み辞書.dic 読み辞書のライセンス.txt \
  品質上.txt 品質下.txt 品質中.txt 安全上.txt 安全下.txt 安全中.txt \
  交通安全上.txt 交通安全下.txt 交通安全中.txt | LC_ALL=C sort)
if "$TAVLIN_ROOT/scripts/package.sh" --no-install; then
  listing=$(cmake -E tar tf "$TAVLIN_BUILD"/dist/Tavlin-*-win64.zip |
    LC_ALL=C sort)
  if [[ $listing != "$expected_listing" ]]; then
    echo "The package holds:" $listing >&2
    status=1
  fi
else
  status=1
fi

if ((status != 0)); then
  echo "Some builds or tests failed." >&2
fi
exit "$status"
