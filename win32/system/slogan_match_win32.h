// The user locale's case-insensitive comparison on the text of a box.
#pragma once

#include <string_view>

namespace tavlin {

bool SlogansMatchWide(std::wstring_view line, std::wstring_view slogan);

}  // namespace tavlin
