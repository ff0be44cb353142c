// The storage list as text: Shift-JIS bytes with CR LF line breaks, the
// lines seen through it, and the store rule that moves a slogan to its end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "src/platform/shift_jis_text.h"
#include "src/storage/store_rule.h"

namespace tavlin {

inline constexpr std::string_view kLineBreak = LineBreakOf<char>();

// The text a storage file's bytes load as: every line break made CR LF,
// everything from the first zero byte on dropped, and every byte of 0x20 or
// less stripped from both ends.
ShiftJisText NormaliseStorageText(std::string_view file_bytes);
// The same rule for text already decoded from a file.
std::u16string NormaliseStorageText(std::u16string_view text);

using StorageEdit = BasicStorageEdit<char>;

// Stores slogan in text, matching lines as the user's locale does.
void StoreSlogan(ShiftJisText& text, ShiftJisView slogan);

}  // namespace tavlin
