// A vote sheet from anywhere: read or refused without a fault, its rows in
// the file's order below the heading, and a tally of it that adds up.
#include "fuzz_input.h"
#include "src/platform/text_encoding.h"
#include "src/storage/vote_sheet_reader.h"
#include "src/storage/vote_tally.h"

using namespace tavlin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // No Shift-JIS outside Windows: such a sheet is refused as undecodable.
  const EncodingCodec no_shift_jis(TextEncoding::ShiftJis);
  const VoteSheetRows sheet = ReadVoteSheet(bytes, no_shift_jis);
  FUZZ_CHECK(sheet.refusal.empty() || sheet.rows.empty());
  FUZZ_CHECK(sheet.rows.size() <= kMostVoteSheetRows);
  std::size_t last_row = 1;  // the heading's row at the least
  for (const VoteSheetRow& row : sheet.rows) {
    FUZZ_CHECK(row.row_number > last_row);
    last_row = row.row_number;
  }
  const VoteTally tally =
      TallyVoteSheets({u"安全第一"}, {{u"a.csv", bytes, {}}}, no_shift_jis);
  std::size_t votes = 0;
  for (std::size_t i = 0; i < tally.slogans.size(); ++i) {
    votes += tally.slogans[i].votes;
    if (i > 0) FUZZ_CHECK(tally.slogans[i].rank >= tally.slogans[i - 1].rank);
  }
  FUZZ_CHECK(votes == tally.summary.votes);
  FUZZ_CHECK(tally.summary.sheets_read + tally.summary.sheets_refused == 1);
  return 0;
}
