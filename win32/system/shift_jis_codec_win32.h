// Storage files in Shift-JIS (code page 932), as the core's merge and save
// plan read and write them.
#pragma once

#include "src/platform/text_codec.h"

namespace tavlin {

class ShiftJisCodec final : public TextCodec {
 public:
  std::optional<std::u16string> Decode(std::string_view bytes) const override;
  std::string Encode(std::u16string_view text, bool& lossy) const override;
};

}  // namespace tavlin
