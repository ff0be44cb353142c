// The encodings a text file may come in, as Notepad writes them, told from
// the file's own bytes; and UTF-8 and UTF-16 decoded and encoded strictly,
// so that a text that decodes always encodes back to the same bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "src/platform/text_codec.h"

namespace tavlin {

enum class TextEncoding {
  ShiftJis,  // code page 932: the default, and what every other is not
  Utf8,      // without a byte-order mark
  Utf8WithBom,
  Utf16Le,  // with its byte-order mark, as Notepad writes "UTF-16 LE"
  Utf16Be,
  Utf16LeWithoutMark,  // as some tools write it
  Utf16BeWithoutMark,
};

// UTF-8 by its byte-order mark, or where the bytes are valid UTF-8
// throughout and hold at least one multi-byte sequence; UTF-16 by its
// byte-order mark, or without one by its zero bytes (see
// LooksLikeUtf16WithoutMark); otherwise Shift-JIS.
TextEncoding DetectTextEncoding(std::string_view bytes);
// The same for a caller that knows already whether the bytes hold a zero
// byte: a phrase file's index finds the first one on its way, and tens of
// megabytes are not gone through once more for it.
TextEncoding DetectTextEncoding(std::string_view bytes, bool holds_zero_byte);

// The text of bytes in a Unicode encoding, its byte-order mark left out;
// nothing where they are not valid in it (an invalid sequence, an overlong
// form, a surrogate without its partner, a missing mark). No bytes at all
// are the empty text in every encoding.
std::optional<std::u16string> DecodeUnicodeText(std::string_view bytes,
                                                TextEncoding encoding);
// The bytes of text in a Unicode encoding, with its byte-order mark where
// it has one. A surrogate without its partner cannot be written: lossy.
std::string EncodeUnicodeText(std::u16string_view text, TextEncoding encoding,
                              bool& lossy);

// A codec for files of one encoding; Shift-JIS goes to the codec given,
// which only Windows has (without one, Shift-JIS decodes to nothing).
class EncodingCodec final : public TextCodec {
 public:
  explicit EncodingCodec(TextEncoding encoding,
                         const TextCodec* shift_jis = nullptr)
      : encoding_(encoding), shift_jis_(shift_jis) {}
  std::optional<std::u16string> Decode(std::string_view bytes) const override;
  std::string Encode(std::u16string_view text, bool& lossy) const override;

 private:
  TextEncoding encoding_;
  const TextCodec* shift_jis_;
};

}  // namespace tavlin
