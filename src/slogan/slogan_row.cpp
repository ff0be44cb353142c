#include "src/slogan/slogan_row.h"

namespace tavlin {

std::u16string SloganRow::Text() const {
  if (!has_parts) return shown_parts[0];
  std::u16string text;
  for (std::size_t i = 0; i < kPhrasePositions; ++i)
    text += (i > 0 ? u" " : u"") + shown_parts[i];
  return text;
}

std::size_t SloganRow::PartBytes() const {
  std::size_t bytes = 0;
  for (const ShiftJisText& part : parts) bytes += part.bytes().size();
  return bytes;
}

}  // namespace tavlin
