// The user locale's case-insensitive comparison on the text of a box.
#pragma once

#include <string>
#include <string_view>

namespace tavlin {

bool SlogansMatchWide(std::wstring_view line, std::wstring_view slogan);
// The same for the core's UTF-16 text, as the merge of lists matches lines.
bool SlogansMatchText(std::u16string_view line, std::u16string_view slogan);

}  // namespace tavlin
