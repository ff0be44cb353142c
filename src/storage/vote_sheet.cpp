#include "src/storage/vote_sheet.h"

#include <unordered_map>

#include "src/platform/unicode_text.h"

namespace tavlin {

namespace {

bool InRange(char32_t c, char32_t first, char32_t last) {
  return c >= first && c <= last;
}

std::u16string WithoutSpaces(std::u16string_view slogan) {
  std::u16string kept;
  for (const char16_t c : slogan)
    if (!IsSpaceCharacter(c)) kept.push_back(c);
  return kept;
}

std::u16string NumberText(std::size_t number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::vector<std::u16string> SheetSlogans(std::u16string_view box_text) {
  std::vector<std::u16string> slogans;
  ForEachTextLine(box_text, [&](std::u16string_view line) {
    line = TrimSpaces(line);
    if (!line.empty()) slogans.emplace_back(line);
  });
  return slogans;
}

std::size_t CountSloganCharacters(std::u16string_view slogan) {
  std::size_t count = 0;
  ForEachCodePoint(slogan,
                   [&](char32_t c) { count += IsSpaceCharacter(c) ? 0 : 1; });
  return count;
}

bool IsPunctuationOrSymbol(char32_t c) {
  if (IsSpaceCharacter(c)) return false;
  const bool letter_or_digit =
      InRange(c, U'0', U'9') || InRange(c, U'A', U'Z') ||
      InRange(c, U'a', U'z') || InRange(c, U'\uFF10', U'\uFF19') ||
      InRange(c, U'\uFF21', U'\uFF3A') || InRange(c, U'\uFF41', U'\uFF5A');
  const bool kana = InRange(c, U'\u3041', U'\u3096') ||  // hiragana
                    InRange(c, U'\u3099', U'\u309E') ||  // ゛ ゜ ゝ ゞ
                    InRange(c, U'\u30A1', U'\u30FA') ||  // katakana
                    InRange(c, U'\u30FC', U'\u30FE') ||  // ー ヽ ヾ
                    InRange(c, U'\uFF66', U'\uFF9F');    // half-width
  const bool kanji = InRange(c, U'\u4E00', U'\u9FFF') ||
                     InRange(c, U'\u3400', U'\u4DBF') ||
                     InRange(c, U'\uF900', U'\uFAFF') ||
                     InRange(c, U'\U00020000', U'\U0003FFFF') ||
                     InRange(c, U'\u3005', U'\u3007');  // 々 〆 〇
  return !(letter_or_digit || kana || kanji);
}

std::vector<SloganJudgement> JudgeSlogans(
    const std::vector<std::u16string>& slogans, std::size_t max_characters) {
  std::vector<SloganJudgement> judgements(slogans.size());
  // Each slogan's first row, spaces aside: one look-up a row.
  std::unordered_map<std::u16string, std::size_t> first_row_of;
  for (std::size_t row = 0; row < slogans.size(); ++row) {
    SloganJudgement& judgement = judgements[row];
    judgement.too_long = CountSloganCharacters(slogans[row]) > max_characters;
    std::u32string seen;
    ForEachCodePoint(slogans[row], [&](char32_t c) {
      if (!IsPunctuationOrSymbol(c) || seen.find(c) != seen.npos) return;
      seen.push_back(c);
      AppendCodePoint(judgement.symbols, c);
    });
    // A repeat names the slogan's first row, and the first row its first
    // repeat: one number each, however often a slogan stands.
    const auto [first, is_first] =
        first_row_of.try_emplace(WithoutSpaces(slogans[row]), row + 1);
    if (is_first) continue;
    judgement.same_as.push_back(first->second);
    std::vector<std::size_t>& first_names =
        judgements[first->second - 1].same_as;
    if (first_names.empty()) first_names.push_back(row + 1);
  }
  return judgements;
}

std::u16string JudgementText(const SloganJudgement& judgement) {
  std::u16string text;
  const auto add = [&](std::u16string_view note) {
    if (!text.empty()) text += u"、";
    text += note;
  };
  if (judgement.too_long) add(u"字数超過");
  if (!judgement.symbols.empty())
    add(u"記号あり（" + judgement.symbols + u"）");
  if (!judgement.same_as.empty()) {
    std::u16string numbers;
    for (const std::size_t number : judgement.same_as) {
      if (!numbers.empty()) numbers += u"・";
      numbers += NumberText(number);
    }
    add(u"重複（" + numbers + u"番）");
  }
  return text.empty() ? u"可" : text;
}

std::string CsvField(std::string_view utf8, bool may_be_formula) {
  std::string field;
  if (may_be_formula && !utf8.empty() &&
      std::string_view("=+-@").find(utf8.front()) != std::string_view::npos)
    field = "'";
  field += utf8;
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (const char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string VoteSheetCsv(const std::vector<std::u16string>& slogans,
                         std::size_t max_characters, const MoraMeter* meter) {
  const bool rhythm = meter && meter->available();
  std::string sheet = "\xEF\xBB\xBF";
  sheet += Utf8FromU16(rhythm ? u"番号,標語,文字数,音数,判定,投票"
                              : u"番号,標語,文字数,判定,投票") +
           "\r\n";
  const std::vector<SloganJudgement> judgements =
      JudgeSlogans(slogans, max_characters);
  for (std::size_t row = 0; row < slogans.size(); ++row) {
    sheet += std::to_string(row + 1) + ",";
    sheet += CsvField(Utf8FromU16(slogans[row]), true) + ",";
    sheet += std::to_string(CountSloganCharacters(slogans[row])) + ",";
    if (rhythm)
      sheet +=
          Utf8FromU16(RhythmFigures(meter->RhythmOfText(slogans[row]))) + ",";
    sheet += CsvField(Utf8FromU16(JudgementText(judgements[row]))) + ",\r\n";
  }
  return sheet;
}

}  // namespace tavlin
