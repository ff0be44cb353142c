#include "src/slogan/phrase_holds.h"

namespace tavlin {

void ReleaseUnlistedHolds(PhraseHolds& holds, const PhraseLists& lists) {
  const PhraseList* const positions[] = {&lists.upper, &lists.middle,
                                         &lists.lower};
  for (std::size_t i = 0; i < kPhrasePositions; ++i) {
    std::optional<ShiftJisText>& held = holds.phrases[i];
    if (held && !positions[i]->Contains(held->bytes())) held.reset();
  }
}

}  // namespace tavlin
