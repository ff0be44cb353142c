#!/usr/bin/env bash
# Takes docs/main-window.png for the README: the Release Tavlin.exe with the
# example phrase files, the reading dictionary and two stored slogans, in a
# Wine virtual desktop (so that Wine draws the title bars and frames), its
# information window beside it; then docs/workshop.png, the phrase workshop
# open on the safety theme. Uses ImageMagick's import, xwininfo and Wine's own fonts (the caption
# buttons are drawn from its Marlett, the captions in its Tahoma), which the
# dependencies bring, and a Wine prefix of its own.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$TAVLIN_ROOT/scripts/install-deps.sh"
build_reading_dictionary
configure_windows
cmake --build "$TAVLIN_WINDOWS" --target Tavlin arrange_windows

scene="$TAVLIN_BUILD/screenshot"
rm -rf "$scene"
mkdir -p "$scene"
cp "$TAVLIN_WINDOWS/Tavlin.exe" "$TAVLIN_WINDOWS/arrange_windows.exe" \
  "$TAVLIN_ROOT"/examples/*.txt "$TAVLIN_NATIVE/読み辞書.dic" "$scene/"
printf '%s\r\n' "安全は一人一人の心がけ" "確認しよう 今日の作業と 足もとを" |
  iconv -f UTF-8 -t SHIFT_JIS >"$scene/Tavlin安全保管庫.txt"

export WINEPREFIX="$TAVLIN_BUILD/screenshot-prefix"
ensure_wine_prefix
# Marlett comes with the prefix; the captions' Tahoma is this picture's own.
cp /usr/share/wine/fonts/{tahoma,tahomabd}.ttf \
  "$WINEPREFIX/drive_c/windows/Fonts/"
ensure_display
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  stop_display
}
trap cleanup EXIT

# Shows Tavlin.exe and the scene ARRANGEMENT (see arrange_windows) in a
# virtual desktop of SIZE, and takes the picture PICTURE of it.
take_picture() {
  local size=$1 arrangement=$2 picture=$3
  local desktop="/desktop=Tavlin,$size"
  rm -f arranged.txt
  # Both in the same virtual desktop; the calls are left running and the
  # arranger's file tells when the scene stands.
  wine explorer "$desktop" Tavlin.exe >/dev/null 2>&1 &
  sleep 2
  wine explorer "$desktop" arrange_windows.exe $arrangement >/dev/null 2>&1 &
  for _ in $(seq 1 60); do
    [[ -f arranged.txt ]] && break
    sleep 0.5
  done
  [[ -f arranged.txt ]] || { echo "The windows did not show." >&2; exit 1; }
  local window
  window=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Tavlin - Wine desktop".*/\1/p' | head -1)
  [[ -n $window ]] || { echo "No Wine desktop window was found." >&2; exit 1; }
  import -window "$window" "$TAVLIN_ROOT/docs/$picture"
  echo "Wrote docs/$picture"
  wineserver -k >/dev/null 2>&1 || true
  sleep 1
}

cd "$scene"
take_picture 880x560 "" main-window.png
take_picture 820x710 workshop workshop.png
