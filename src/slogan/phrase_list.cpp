#include "src/slogan/phrase_list.h"

#include <utility>

namespace tavlin {

void PhraseList::AssignFileBytes(std::string bytes) {
  // Indexed before anything is replaced, so that a failure leaves the list
  // as it was.
  PhraseIndex index = IndexPhrases(bytes);
  bytes_ = std::move(bytes);
  index_ = std::move(index);
}

}  // namespace tavlin
