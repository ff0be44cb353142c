#!/usr/bin/env bash
# For development only: reads phrases with Debian's mecab and its ipadic as a
# yardstick for the meter, never shipped and never needed to build or test.
#   compare-readings-with-mecab.sh [SLOGANS_PER_THEME]
# Reads the example files' lines as they ship and as they were, the phrases
# read by hand, and slogans drawn from the examples, each with both; writes
# the phrases with kanji that mecab can read whole (no digits or Latin
# letters, where mecab is weak) and its count of their morae to
# bench/data/mecab-morae.tsv, which the rhythm benchmark compares with the
# meter, and prints where the two disagree.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
per_theme=${1:-4000}

command -v mecab >/dev/null ||
  { apt-get update -q >/dev/null && apt-get install -y -q mecab mecab-ipadic-utf8 >/dev/null; }
configure_native >/dev/null
cmake --build "$TAVLIN_NATIVE" --target tavlin_mora tavlin_draw >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
  for file in "$TAVLIN_ROOT"/examples/*.txt; do iconv -f CP932 -t UTF-8 "$file"; done
  # The example files as they were before their phrases were made to join.
  for file in "$TAVLIN_ROOT"/examples/*.txt; do
    git -C "$TAVLIN_ROOT" show "579a7c6:examples/$(basename "$file")" |
      iconv -f CP932 -t UTF-8
  done
  cut -f1 "$TAVLIN_ROOT"/tests/data/mora-gold.tsv "$TAVLIN_ROOT"/tests/data/mora-fresh.tsv
  for theme in 安全 品質 交通安全; do
    "$TAVLIN_NATIVE/tavlin_draw" "$TAVLIN_ROOT/examples" "$theme" "$per_theme" 20261210
  done
} | tr -d '\r' | grep -v '^#' | grep -v '^$' | LC_ALL=C sort -u >"$work/phrases"

mecab -Oyomi <"$work/phrases" >"$work/mecab"
"$TAVLIN_NATIVE/tavlin_mora" --words <"$work/phrases" >"$work/meter"
python3 - "$work/phrases" "$work/mecab" "$work/meter" \
  "$TAVLIN_ROOT/bench/data/mecab-morae.tsv" <<'PYTHON'
import re
import sys

phrases, mecab, meter, out = sys.argv[1:]
SMALL = set("ァィゥェォャュョヮ")
kanji = re.compile("[\u3400-\u9fff\u3005]")
weak = re.compile("[0-9A-Za-z０-９Ａ-Ｚａ-ｚ]")

def morae(reading):
    reading = reading.replace("\u3000", "").replace(" ", "")
    reading = reading.replace("・", "")
    if not all("\u30a1" <= c <= "\u30fa" or c == "ー" for c in reading):
        return None  # mecab left something unread
    return sum(c not in SMALL for c in reading)

rows = []
disagree = []
for phrase, yomi, ours in zip(open(phrases, encoding="utf-8"),
                              open(mecab, encoding="utf-8"),
                              open(meter, encoding="utf-8")):
    phrase = phrase.rstrip("\n")
    if not kanji.search(phrase) or weak.search(phrase):
        continue
    theirs = morae(yomi.rstrip("\n"))
    if theirs is None:
        continue
    rows.append(f"{phrase}\t{theirs}\n")
    count, _, words = ours.rstrip("\n").partition("\t")
    if count != str(theirs):
        disagree.append(f"{phrase}\tmecab {theirs} {yomi.strip()}\tmeter {count} {words}")
with open(out, "w", encoding="utf-8") as f:
    f.write("# Phrases with kanji and the morae Debian's mecab (ipadic) reads in them,\n"
            "# made by scripts/compare-readings-with-mecab.sh: a yardstick, not a truth.\n")
    f.writelines(rows)
print(f"{len(rows)} phrases with kanji; the meter agrees with mecab on "
      f"{len(rows) - len(disagree)} ({100 * (len(rows) - len(disagree)) / len(rows):.1f}%)")
for line in disagree:
    print(line)
PYTHON
