#!/usr/bin/env bash
# Installs what is missing, builds Tavlin.exe, puts it in a folder of its
# own beside the example phrase files and the reading dictionary (build/run)
# and starts it under Wine.
# Without a display it runs on a virtual one and saves a screenshot.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$TAVLIN_ROOT/scripts/install-deps.sh"
build_reading_dictionary
configure_windows
cmake --build "$TAVLIN_WINDOWS" --target Tavlin

run_folder="$TAVLIN_BUILD/run"
mkdir -p "$run_folder"
cp "$TAVLIN_WINDOWS/Tavlin.exe" "$run_folder/"
cp "$TAVLIN_ROOT"/examples/*.txt "$run_folder/"
cp "$TAVLIN_NATIVE/読み辞書.dic" "$run_folder/"
ensure_wine_prefix

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  stop_display
}
trap cleanup EXIT

virtual_display=false
if [[ -z "${DISPLAY:-}" ]]; then
  virtual_display=true
fi
ensure_display

cd "$run_folder"
wine Tavlin.exe &
program=$!

if $virtual_display; then
  # Nobody can see this display: show what the window looks like instead.
  for ((waited = 0; waited < 300; waited++)); do
    xwininfo -root -tree 2>/dev/null | grep -q 'Tavlin Ver' && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  sleep 1  # let the first paint finish
  import -window root "$run_folder/screenshot.png"
  echo "Tavlin runs on the virtual display $DISPLAY, in $run_folder."
  echo "A screenshot of its window is in $run_folder/screenshot.png."
  echo "Press Ctrl+C to end it."
fi
wait "$program"
