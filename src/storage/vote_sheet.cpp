#include "src/storage/vote_sheet.h"

#include <unordered_map>

#include "src/platform/unicode_text.h"
#include "src/rhythm/character_class.h"
#include "src/slogan/slogan_rhythm.h"

namespace tavlin {

namespace {

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
  return !IsSpaceCharacter(c) && ClassOfCharacter(c) == CharacterClass::Other;
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

namespace {

// What one row of the sheet is made from.
struct SheetRow {
  std::size_t number;
  const std::u16string& slogan;
  const SloganJudgement& judgement;
  const MoraMeter* meter;  // available, or none
};

// One column of the sheet: its heading, its field in a row, and whether the
// sheet has it (音数 only with a meter that can count).
struct SheetColumn {
  std::u16string_view heading;
  std::string (*field)(const SheetRow& row);
  bool needs_meter;
};

constexpr SheetColumn kSheetColumns[] = {
    {u"番号", [](const SheetRow& row) { return std::to_string(row.number); },
     false},
    {u"標語",
     [](const SheetRow& row) {
       return CsvField(Utf8FromU16(row.slogan), true);
     },
     false},
    {u"文字数",
     [](const SheetRow& row) {
       return std::to_string(CountSloganCharacters(row.slogan));
     },
     false},
    {u"音数",
     [](const SheetRow& row) {
       return Utf8FromU16(RhythmFigures(RhythmOfText(*row.meter, row.slogan)));
     },
     true},
    {u"判定",
     [](const SheetRow& row) {
       return CsvField(Utf8FromU16(JudgementText(row.judgement)));
     },
     false},
    {u"投票", [](const SheetRow&) { return std::string(); }, false},
};

}  // namespace

std::string VoteSheetCsv(const std::vector<std::u16string>& slogans,
                         std::size_t max_characters, const MoraMeter* meter) {
  if (meter && !meter->available()) meter = nullptr;
  std::vector<const SheetColumn*> columns;
  for (const SheetColumn& column : kSheetColumns)
    if (!column.needs_meter || meter) columns.push_back(&column);
  std::string sheet = "\xEF\xBB\xBF";
  for (const SheetColumn* column : columns)
    sheet +=
        (column == columns.front() ? "" : ",") + Utf8FromU16(column->heading);
  sheet += "\r\n";
  const std::vector<SloganJudgement> judgements =
      JudgeSlogans(slogans, max_characters);
  for (std::size_t row = 0; row < slogans.size(); ++row) {
    const SheetRow of{row + 1, slogans[row], judgements[row], meter};
    for (const SheetColumn* column : columns)
      sheet += (column == columns.front() ? "" : ",") + column->field(of);
    sheet += "\r\n";
  }
  return sheet;
}

}  // namespace tavlin
