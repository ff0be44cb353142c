#!/usr/bin/env bash
# Draws docs/poster-example.png for the README and the guide: an example
# slogan as the program draws its posters, at 300 dpi, scaled down to a
# quarter with ImageMagick.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$TAVLIN_ROOT/scripts/install-deps.sh"
configure_windows
cmake --build "$TAVLIN_WINDOWS" --target make_poster
ensure_wine_prefix
full="$TAVLIN_BUILD/poster-example.png"
rm -f "$full"
wine "$TAVLIN_WINDOWS/make_poster.exe" "Z:$full" \
  "確認しよう 今日の作業と 足もとを" "全国安全週間"
convert "$full" -resize 25% "$TAVLIN_ROOT/docs/poster-example.png"
wineserver -k || true
echo "poster-example: wrote docs/poster-example.png"
