// UTF-8 storage text, as Notepad writes it: decoded only where the bytes
// are valid UTF-8 throughout, so that encoding gives them back.
#pragma once

#include "src/storage/text_codec.h"

namespace tavlin {

class Utf8Codec final : public TextCodec {
 public:
  std::optional<std::u16string> Decode(std::string_view bytes) const override;
  // UTF-8 holds every character: never lossy.
  std::string Encode(std::u16string_view text, bool& lossy) const override;
};

}  // namespace tavlin
