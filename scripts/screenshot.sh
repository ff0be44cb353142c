#!/usr/bin/env bash
# Takes docs/main-window.png for the README: the Release Tavlin.exe with the
# example phrase files, the reading dictionary and two stored slogans, in a
# Wine virtual desktop (so that Wine draws the title bars and frames), its
# information window beside it; then docs/workshop.png, the phrase workshop
# open on the safety theme; then docs/vote-tally.png, the tally of three
# members' filled vote sheets. Names given, as vote-tally.png, take those
# pictures alone. Uses ImageMagick's import, xwininfo and Wine's own fonts (the caption
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

# Writes the sheets three members filled in, as their Excel saved them:
# Shift-JIS CSV, Unicode text with tabs; and the list they voted on.
write_vote_sheets() {
  printf '%s\r\n' "安全は一人一人の心がけ" "確認しよう 今日の作業と 足もとを" \
    "指差し呼称 声に出して ヨシ" "整理整頓 みんなで守る 無災害" \
    "ヒヤリハット 小さな気づきが 大きな安全" |
    iconv -f UTF-8 -t SHIFT_JIS >"Tavlin安全保管庫.txt"
  local heading="番号,標語,文字数,判定,投票"
  printf '%s\r\n' "$heading" "2,確認しよう 今日の作業と 足もとを,15,可,3" \
    "3,指差し呼称 声に出して ヨシ,12,可,○" "1,安全は一人一人の心がけ,11,可," |
    iconv -f UTF-8 -t SHIFT_JIS >"田中.csv"
  printf '%s\r\n' "${heading//,/$'\t'}" \
    $'2\t確認しよう 今日の作業と 足もとを\t15\t可\t２票' \
    $'4\t整理整頓 みんなで守る 無災害\t13\t可\t1' \
    $'5\tヒヤリハット 小さな気づきが 大きな安全\t18\t可\t◎' \
    $'6\t無理せず 急がず 安全に\t10\t可\t1' |
    iconv -f UTF-8 -t UTF-16 >"鈴木.txt"
  printf '%s\r\n' "$heading" "2,確認しよう 今日の作業と 足もとを,15,可,1" \
    "1,安全は一人一人の心がけ,11,可,1" "3,指差し呼称 声に出して ヨシ,12,可,たくさん" |
    iconv -f UTF-8 -t SHIFT_JIS >"佐藤.csv"
}

wanted=("$@")
want() { ((${#wanted[@]} == 0)) || [[ " ${wanted[*]} " == *" $1 "* ]]; }

cd "$scene"
if want main-window.png; then take_picture 880x560 "" main-window.png; fi
if want workshop.png; then take_picture 820x710 workshop workshop.png; fi
if want vote-tally.png; then
  write_vote_sheets
  take_picture 640x510 "tally 田中.csv 鈴木.txt 佐藤.csv" vote-tally.png
fi
