// Phrases the user holds while the rest of a slogan is drawn again: one per
// position at most, kept for a page during the session.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "src/platform/shift_jis_text.h"
#include "src/slogan/phrase_list.h"

namespace tavlin {

enum class PhrasePosition : std::size_t { Upper, Middle, Lower };
inline constexpr std::size_t kPhrasePositions = 3;

struct PhraseHolds {
  std::array<std::optional<ShiftJisText>, kPhrasePositions> phrases;

  bool any() const {
    for (const auto& phrase : phrases)
      if (phrase) return true;
    return false;
  }
  std::optional<ShiftJisText>& at(PhrasePosition position) {
    return phrases[static_cast<std::size_t>(position)];
  }
};

// Releases each held phrase that its position's list no longer holds as a
// line of its own: the phrase file was edited meanwhile.
void ReleaseUnlistedHolds(PhraseHolds& holds, const PhraseLists& lists);

}  // namespace tavlin
