#include "src/storage/slogan_match.h"

namespace tavlin {

bool SlogansMatch(ShiftJisView line, ShiftJisView slogan) {
  return FoldedShiftJisEqual(line.bytes(), slogan.bytes());
}

}  // namespace tavlin
