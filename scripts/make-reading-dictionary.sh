#!/usr/bin/env bash
# Makes the reading dictionary from Debian's mecab-ipadic, fetched with
# apt-get download into a cache folder and unpacked there, never installed:
#   make-reading-dictionary.sh BUILDER CACHE OUTPUT
# Beside OUTPUT goes the lexicon's licence notice, which ships with it.
set -euo pipefail
builder=$1 cache=$2 output=$3
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

lexicon="$cache/unpacked/usr/share/mecab/dic/ipadic"
if [[ ! -f $lexicon/Noun.csv ]]; then
  rm -rf "$cache" && mkdir -p "$cache"
  # apt-get download writes into the current folder; a machine whose
  # package lists are not read yet reads them first.
  download() { (cd "$cache" && apt-get download -q mecab-ipadic 2>/dev/null); }
  download || { apt-get update -q >/dev/null && download; }
  deb=$(ls "$cache"/mecab-ipadic_*.deb)
  dpkg-deb -x "$deb" "$cache/unpacked"
fi

# The lexicon is in EUC-JP; the builder reads UTF-8.
utf8="$cache/utf8"
rm -rf "$utf8" && mkdir -p "$utf8"
for csv in "$lexicon"/*.csv; do
  iconv -f EUC-JP -t UTF-8 "$csv" >"$utf8/$(basename "$csv")"
done
# With the lexicon's join costs; the readings UniDic gives first where
# ipadic's costs hardly tell its readings apart; and the words of safety and
# quality work that ipadic lacks, read by hand.
"$builder" "$output.new" "$lexicon/matrix.def" \
  --prefer-among-equals "$root/data/reading-preferences.tsv" \
  --prefer "$root/data/workplace-words.tsv" "$utf8"/*.csv
mv "$output.new" "$output"
cp "$cache/unpacked/usr/share/doc/mecab-ipadic/copyright" \
  "$(dirname "$output")/mecab-ipadic-copyright.txt"
