#include "src/storage/vote_tally_export.h"

#include <string_view>
#include <vector>

#include "src/platform/unicode_text.h"
#include "src/storage/vote_sheet.h"

namespace tavlin {

namespace {

constexpr std::u16string_view kNotInList = u"一覧にない";

std::u16string Number(std::size_t number) {
  const std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

// The cells of one slogan's row, in the order of the headings; 備考 last,
// which only the CSV has.
std::vector<std::u16string_view> Headings(bool with_remarks) {
  std::vector<std::u16string_view> headings = {u"順位", u"標語", u"票数",
                                               u"票を入れた人数", u"音数"};
  if (with_remarks) headings.push_back(u"備考");
  return headings;
}

std::vector<std::u16string> Cells(const TalliedSlogan& slogan,
                                  bool with_remarks) {
  std::vector<std::u16string> cells = {Number(slogan.rank), slogan.slogan,
                                       Number(slogan.votes),
                                       Number(slogan.voters), slogan.rhythm};
  if (with_remarks) cells.emplace_back(slogan.list_position ? u"" : kNotInList);
  return cells;
}

constexpr std::size_t kSloganColumn = 1;

// Excel takes a pasted cell whole when it is in quotes, quotes doubled.
std::u16string TabSeparatedField(std::u16string_view text) {
  if (text.find_first_of(u"\t\"\r\n") == text.npos) return std::u16string(text);
  std::u16string quoted = u"\"";
  for (const char16_t c : text) {
    if (c == u'"') quoted += u'"';
    quoted += c;
  }
  return quoted + u'"';
}

}  // namespace

std::u16string TallyClipboardText(const VoteTally& tally) {
  std::u16string text;
  const auto add_row = [&](const auto& cells) {
    for (std::size_t column = 0; column < cells.size(); ++column)
      text.append(column == 0 ? u"" : u"\t")
          .append(TabSeparatedField(cells[column]));
    text += u"\r\n";
  };
  add_row(Headings(false));
  for (const TalliedSlogan& slogan : tally.slogans)
    add_row(Cells(slogan, false));
  return text;
}

std::string TallyCsv(const VoteTally& tally) {
  std::string csv = "\xEF\xBB\xBF";
  const auto add_row = [&](const auto& cells) {
    for (std::size_t column = 0; column < cells.size(); ++column)
      csv.append(column == 0 ? "" : ",")
          .append(
              CsvField(Utf8FromU16(cells[column]), column == kSloganColumn));
    csv += "\r\n";
  };
  add_row(Headings(true));
  for (const TalliedSlogan& slogan : tally.slogans)
    add_row(Cells(slogan, true));
  return csv;
}

std::u16string TallySummaryLine(const VoteTallySummary& summary) {
  std::u16string line = Number(summary.sheets_read);
  line.append(u" 枚の投票用紙から ")
      .append(Number(summary.slogans_voted))
      .append(u" 句に ")
      .append(Number(summary.votes))
      .append(u" 票");
  std::u16string aside;
  const auto add_aside = [&](std::u16string_view files, std::size_t count) {
    if (count == 0) return;
    aside.append(aside.empty() ? u"" : u"、")
        .append(files)
        .append(Number(count));
  };
  add_aside(u"読めなかったファイル ", summary.sheets_refused);
  add_aside(u"二度選ばれたファイル ", summary.sheets_repeated);
  if (!aside.empty()) line.append(u"（").append(aside).append(u"）");
  return line;
}

std::u16string VoteProblemLine(const VoteProblem& problem) {
  std::u16string line(VoteSheetFileName(problem.file));
  line += u": ";
  if (problem.row != 0) line += Number(problem.row) + u" 行目: ";
  return line + problem.text;
}

}  // namespace tavlin
