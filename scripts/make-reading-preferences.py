#!/usr/bin/env python3
"""Writes data/reading-preferences.tsv, made once and committed: for each
written form that mecab-ipadic reads in ways of different lengths, the
reading UniDic (Debian's unidic-mecab, about 1 GB) gives it first, where that
is not ipadic's own first choice.

    make-reading-preferences.py IPADIC_CSV_FOLDER_IN_UTF8 UNIDIC_LEX_CSV OUT

Get the inputs with scripts/make-reading-dictionary.sh's cache (its utf8
folder) and `apt-get download unidic-mecab`, then
`dpkg-deb --fsys-tarfile unidic-mecab_*.deb | tar -x ./usr/share/mecab/dic/unidic/lex_3_1.csv`.
"""
import csv
import glob
import os
import sys

SMALL = set("ァィゥェォャュョヮぁぃぅぇぉゃゅょゎ")


def morae(reading):
    return sum(0 if c in SMALL else 1 for c in reading)


def is_katakana(text):
    return text != "" and all("\u30a1" <= c <= "\u30fa" or c == "\u30fc" for c in text)


def has_kanji(text):
    return any("\u4e00" <= c <= "\u9fff" or c == "々" for c in text)


def main(ipadic_folder, unidic_lex, out):
    ipadic = {}  # surface -> list of (cost, reading)
    for path in glob.glob(os.path.join(ipadic_folder, "*.csv")):
        with open(path, encoding="utf-8") as f:
            for row in csv.reader(f):
                if len(row) < 12 or not has_kanji(row[0]) or not is_katakana(row[11]):
                    continue
                ipadic.setdefault(row[0], []).append((int(row[3]), row[11]))
    ambiguous = {s: min(r) for s, r in ipadic.items()
                 if len({morae(reading) for _, reading in r}) > 1}
    unidic = {}  # surface -> (cost, kana), names and places left out
    with open(unidic_lex, encoding="utf-8") as f:
        for row in csv.reader(f):
            if len(row) < 25 or row[0] not in ambiguous:
                continue
            if row[5] == "固有名詞" and row[6] in ("人名", "地名"):
                continue
            kana = row[24]
            if not is_katakana(kana):
                continue
            cost = int(row[3])
            if row[0] not in unidic or cost < unidic[row[0]][0]:
                unidic[row[0]] = (cost, kana)
    lines = []
    for surface, (_, first) in sorted(ambiguous.items()):
        if surface not in unidic:
            continue
        kana = unidic[surface][1]
        readings = {reading for _, reading in ipadic[surface]}
        if morae(kana) != morae(first) and kana in readings:
            lines.append(f"{surface}\t{kana}\n")
    with open(out, "w", encoding="utf-8") as f:
        f.writelines(lines)
    print(f"{len(ambiguous)} ambiguous forms, {len(lines)} preferences")


if __name__ == "__main__":
    main(*sys.argv[1:])
