#include "src/storage/vote_count.h"

#include "src/platform/unicode_text.h"

namespace tavlin {

namespace {

constexpr std::u16string_view kOneVoteMarks = u"○〇◯◎●✓✔レ";

std::optional<int> DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'０' && c <= u'９') return c - u'０';
  return std::nullopt;
}

}  // namespace

std::optional<int> VotesInCell(std::u16string_view cell) {
  cell = TrimSpaces(cell);
  if (cell.empty()) return 0;
  if (cell.size() == 1 && kOneVoteMarks.find(cell[0]) != cell.npos) return 1;
  int votes = 0;
  std::size_t digits = 0;
  for (; digits < cell.size(); ++digits) {
    const std::optional<int> digit = DigitValue(cell[digits]);
    if (!digit) break;
    votes = votes * 10 + *digit;
    // Stopped before it could overflow: the cell is refused either way.
    if (votes > kMostVotesInACell) return std::nullopt;
  }
  if (digits == 0) return std::nullopt;
  const std::u16string_view rest = TrimSpaces(cell.substr(digits));
  if (!rest.empty() && rest != u"票") return std::nullopt;
  return votes;
}

}  // namespace tavlin
