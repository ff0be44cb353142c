#!/usr/bin/env bash
# Installs what is missing, builds Tavlin.exe and starts it under Wine beside
# the example phrase files.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$TAVLIN_ROOT/scripts/install-deps.sh"
configure_windows
cmake --build "$TAVLIN_WINDOWS"

program="$TAVLIN_WINDOWS/Tavlin.exe"
if [[ ! -f "$program" ]]; then
  echo "run: this build has no Tavlin.exe yet." >&2
  exit 1
fi
cp "$TAVLIN_ROOT"/examples/*.txt "$TAVLIN_WINDOWS/"
ensure_wine_prefix
trap stop_display EXIT
if [[ -z "${DISPLAY:-}" ]]; then
  ensure_display
  echo "No display was set: Tavlin runs on the virtual display $DISPLAY."
fi
cd "$TAVLIN_WINDOWS"
wine "$program"
