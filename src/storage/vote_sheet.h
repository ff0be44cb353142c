// The sheet a safety or quality committee votes on: the storage list's
// slogans numbered, counted and judged by the rules contests commonly set,
// as CSV that Excel on Japanese Windows opens as it is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "src/rhythm/mora_meter.h"

namespace tavlin {

inline constexpr std::size_t kDefaultMaxSloganCharacters = 24;

// The slogans of a storage box's text: its lines without the spaces at
// either end, blank lines left out.
std::vector<std::u16string> SheetSlogans(std::u16string_view box_text);

// Characters without spaces (ASCII, ideographic) and tabs; a surrogate pair
// is one.
std::size_t CountSloganCharacters(std::u16string_view slogan);

// What contest rules refuse as punctuation or a symbol: any character but
// letters and digits (half- or full-width), hiragana, katakana (half-width
// too), kanji, the marks 々 〆 〇 ー ゝ ゞ ヽ ヾ ゛ ゜, and spaces.
bool IsPunctuationOrSymbol(char32_t c);

struct SloganJudgement {
  bool too_long = false;
  std::u16string symbols;  // each punctuation mark or symbol once, in order
  // Where the same slogan stands again, spaces aside: for its first row,
  // the row of its first repeat; for a repeat, the slogan's first row.
  std::vector<std::size_t> same_as;
};

// slogans in the sheet's order; numbers count from 1.
std::vector<SloganJudgement> JudgeSlogans(
    const std::vector<std::u16string>& slogans, std::size_t max_characters);

// "可" when nothing is refused; otherwise what is, joined by "、":
// "字数超過", "記号あり（！・）", "重複（3・7番）".
std::u16string JudgementText(const SloganJudgement& judgement);

// One CSV field: quoted when it holds a comma, a quote or a line break. A
// text a spreadsheet would take for a formula (it begins with =, +, - or @)
// is written after an apostrophe, so that opening the sheet runs nothing.
std::string CsvField(std::string_view utf8, bool may_be_formula = false);

// The whole sheet: UTF-8 with a byte-order mark, CR LF after every row, a
// heading row 番号,標語,文字数,判定,投票 and a row for each slogan with the
// vote left empty. With a rhythm meter that has its dictionary, a column
// 音数 ("5・7・5") follows 文字数.
std::string VoteSheetCsv(const std::vector<std::u16string>& slogans,
                         std::size_t max_characters,
                         const MoraMeter* meter = nullptr);

}  // namespace tavlin
