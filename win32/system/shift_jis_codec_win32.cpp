#include "win32/system/shift_jis_codec_win32.h"

#include "win32/system/shift_jis.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

std::optional<std::u16string> ShiftJisCodec::Decode(
    std::string_view bytes) const {
  const std::wstring text = WideFromShiftJis(ShiftJisView(bytes));
  // Bytes that code page 932 leaves undefined, or that two codes share,
  // would come back other than they were.
  if (ShiftJisFromWide(text).bytes() != bytes) return std::nullopt;
  return std::u16string(AsU16(text));
}

std::string ShiftJisCodec::Encode(std::u16string_view text, bool& lossy) const {
  lossy = false;
  return ShiftJisFromWide(AsWide(text), &lossy).bytes();
}

}  // namespace tavlin
