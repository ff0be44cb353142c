#include "src/storage/utf8_codec.h"

#include "src/platform/unicode_text.h"

namespace tavlin {

std::optional<std::u16string> Utf8Codec::Decode(std::string_view bytes) const {
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || i + length > bytes.size()) return std::nullopt;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are not
    // valid UTF-8: they would not come back as they were.
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
      return std::nullopt;
    if (c >= 0x10000) {
      text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      text += static_cast<char16_t>(c);
    }
    i += length;
  }
  return text;
}

std::string Utf8Codec::Encode(std::u16string_view text, bool& lossy) const {
  lossy = false;
  return Utf8FromU16(text);
}

}  // namespace tavlin
