// A vote sheet as a committee member's Excel saved it back: the slogan and
// vote of each row, found by the headings 標語 and 投票 wherever the member
// moved, added or removed columns.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "src/platform/text_codec.h"

namespace tavlin {

// More rows than a committee ever votes on; a sheet longer than this is
// read up to here, so that a runaway file does not hold up the tally.
inline constexpr std::size_t kMostVoteSheetRows = 100'000;

struct VoteSheetRow {
  std::size_t row_number = 0;  // as Excel numbers it, the heading counted
  std::u16string slogan;       // the cells as saved, spaces and all
  std::u16string vote;
};

struct VoteSheetRows {
  // The rows below the heading, in the file's order; rows without a slogan
  // or a vote are left out.
  std::vector<VoteSheetRow> rows;
  // Why the file is no vote sheet, for the user; empty when it is one.
  std::u16string refusal;
  // The first row left unread of a sheet longer than kMostVoteSheetRows;
  // 0 when the sheet was read to its end.
  std::size_t first_unread_row = 0;
};

// The heading row is the first that holds both 標語 and 投票 as cells
// (spaces around them aside); rows above it are left alone. Cells are
// parted by the separator the decoded text suggests, or by the other one
// where only that finds the heading.
VoteSheetRows ReadVoteSheet(std::string_view bytes, const TextCodec& shift_jis);

}  // namespace tavlin
