// What a committee member wrote in a slogan's 投票 cell, as votes: a
// number, a mark for one vote, or nothing.
#pragma once

#include <optional>
#include <string_view>

namespace tavlin {

// A member voting more than this on one slogan has mistyped.
inline constexpr int kMostVotesInACell = 1000;

// Digits, half- or full-width, maybe followed by 票 ("3", "３", "3票"); a
// mark for one vote (○ 〇 ◯ ◎ ● ✓ ✔ レ); or an empty cell for none. Spaces
// around are ignored. Anything else (other text, a sign, a decimal point,
// more than kMostVotesInACell) is no vote count: nothing.
std::optional<int> VotesInCell(std::u16string_view cell);

}  // namespace tavlin
