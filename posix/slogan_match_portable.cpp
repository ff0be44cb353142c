#include "src/storage/slogan_match.h"

namespace tavlin {

bool SlogansMatch(std::string_view line, std::string_view slogan) {
  return FoldedShiftJisEqual(line, slogan);
}

}  // namespace tavlin
