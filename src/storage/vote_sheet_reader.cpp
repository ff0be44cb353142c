#include "src/storage/vote_sheet_reader.h"

#include <optional>

#include "src/platform/unicode_text.h"
#include "src/storage/sheet_records.h"
#include "src/storage/vote_sheet_text.h"

namespace tavlin {

namespace {

constexpr std::u16string_view kSloganHeading = u"標語";
constexpr std::u16string_view kVoteHeading = u"投票";
constexpr std::u16string_view kNoHeadings =
    u"見出し「標語」と「投票」の行がありません（投票用紙の CSV "
    u"ではないようです）";
constexpr std::u16string_view kNoSloganHeading =
    u"見出しに「標語」の列がありません";
constexpr std::u16string_view kNoVoteHeading =
    u"見出しに「投票」の列がありません";
constexpr std::u16string_view kHeadingsApart =
    u"見出し「標語」と「投票」が同じ行にありません";

struct HeadingColumns {
  std::size_t slogan = 0;
  std::size_t vote = 0;
};

// What a search for the heading row saw, for the message where it fails.
struct HeadingsSeen {
  bool slogan = false;
  bool vote = false;
};

std::optional<HeadingColumns> FindHeadingRow(SheetRecords& records,
                                             std::vector<std::u16string>& cells,
                                             HeadingsSeen& seen) {
  while (records.Next(cells)) {
    std::optional<std::size_t> slogan, vote;
    for (std::size_t column = 0; column < cells.size(); ++column) {
      const std::u16string_view heading = TrimSpaces(cells[column]);
      if (heading == kSloganHeading && !slogan) slogan = column;
      if (heading == kVoteHeading && !vote) vote = column;
    }
    seen.slogan = seen.slogan || slogan;
    seen.vote = seen.vote || vote;
    if (slogan && vote) return HeadingColumns{*slogan, *vote};
  }
  return std::nullopt;
}

std::u16string_view CellAt(const std::vector<std::u16string>& cells,
                           std::size_t column) {
  return column < cells.size() ? std::u16string_view(cells[column])
                               : std::u16string_view();
}

void ReadRowsBelowHeading(SheetRecords& records,
                          std::vector<std::u16string>& cells,
                          const HeadingColumns& columns, VoteSheetRows& sheet) {
  while (records.Next(cells)) {
    const std::u16string_view slogan = CellAt(cells, columns.slogan);
    const std::u16string_view vote = CellAt(cells, columns.vote);
    if (TrimSpaces(slogan).empty() && TrimSpaces(vote).empty()) continue;
    if (sheet.rows.size() == kMostVoteSheetRows) {
      sheet.first_unread_row = records.row_number();
      return;
    }
    sheet.rows.push_back(VoteSheetRow{
        records.row_number(), std::u16string(slogan), std::u16string(vote)});
  }
}

}  // namespace

VoteSheetRows ReadVoteSheet(std::string_view bytes,
                            const TextCodec& shift_jis) {
  VoteSheetRows sheet;
  const VoteSheetText text = DecodeVoteSheet(bytes, shift_jis);
  if (!text.refusal.empty()) {
    sheet.refusal = text.refusal;
    return sheet;
  }
  // Excel's own choice of separator comes first; a sheet whose heading row
  // only splits into columns by the other one was saved by something else.
  const char16_t other_separator = text.usual_separator == u'\t' ? u',' : u'\t';
  HeadingsSeen seen;
  std::vector<std::u16string> cells;
  for (const char16_t separator : {text.usual_separator, other_separator}) {
    SheetRecords records(text.text, separator);
    if (const auto columns = FindHeadingRow(records, cells, seen)) {
      ReadRowsBelowHeading(records, cells, *columns, sheet);
      return sheet;
    }
  }
  sheet.refusal = seen.slogan && seen.vote ? kHeadingsApart
                  : seen.slogan            ? kNoVoteHeading
                  : seen.vote              ? kNoSloganHeading
                                           : kNoHeadings;
  return sheet;
}

}  // namespace tavlin
