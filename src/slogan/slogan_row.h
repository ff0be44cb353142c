// One row of the slogan list, as everything that reads it sees it: its
// parts as the phrase files hold them and as the screen shows them, which
// of them were held when it was composed, and room for what else becomes
// known of the row. The list's text, storing, copying, the poster and the
// history all read this one model.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "src/platform/shift_jis_text.h"
#include "src/slogan/phrase_holds.h"

namespace tavlin {

struct SloganRow {
  std::array<ShiftJisText, kPhrasePositions> parts;
  // The same parts in UTF-16, as the screen shows them.
  std::array<std::u16string, kPhrasePositions> shown_parts;
  std::array<bool, kPhrasePositions> held{};  // when it was composed
  // False for a slogan that came whole: parts[0] holds it all.
  bool has_parts = true;

  // The slogan as one text: its parts joined by single spaces.
  std::u16string Text() const;
  // The bytes of its Shift-JIS parts, as a history counts them.
  std::size_t PartBytes() const;
  bool operator==(const SloganRow&) const = default;
};

using SloganRows = std::vector<SloganRow>;

}  // namespace tavlin
