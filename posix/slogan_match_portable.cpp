#include "src/storage/slogan_match.h"

bool SlogansMatch(std::string_view line, std::string_view slogan) {
  return FoldedShiftJisEqual(line, slogan);
}
