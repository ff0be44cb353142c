// How a file's bytes become text, and back: one encoding's conversion.
// Shift-JIS is only converted on Windows; tests bring a stand-in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavlin {

class TextCodec {
 public:
  // The text the bytes hold; nothing when they do not decode cleanly, that
  // is when encoding the text again would not give the same bytes back.
  virtual std::optional<std::u16string> Decode(
      std::string_view bytes) const = 0;
  // The bytes of text; lossy tells whether some character could not be
  // held and was replaced.
  virtual std::string Encode(std::u16string_view text, bool& lossy) const = 0;

 protected:
  ~TextCodec() = default;
};

}  // namespace tavlin
