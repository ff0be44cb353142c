// A filled vote sheet's bytes as text, in whichever form a committee
// member's Excel saved it: CSV in Shift-JIS or UTF-8 (with or without its
// mark), or "Unicode テキスト", UTF-16 with tabs between the cells.
#pragma once

#include <string>
#include <string_view>

#include "src/platform/text_codec.h"

namespace tavlin {

struct VoteSheetText {
  std::u16string text;  // without a byte-order mark
  // Where the file holds no heading row that says otherwise: a tab for
  // UTF-16, a comma for the rest.
  char16_t usual_separator = u',';
  // Why the file cannot be read as a sheet, for the user; empty when it can.
  std::u16string refusal;
};

// Decoded by the byte-order mark first; without one, as UTF-8 where the
// bytes are valid UTF-8, else as Shift-JIS where shift_jis decodes them
// cleanly. Empty files, Excel workbooks, binary files and text that does
// not decode come back refused.
VoteSheetText DecodeVoteSheet(std::string_view bytes,
                              const TextCodec& shift_jis);

}  // namespace tavlin
