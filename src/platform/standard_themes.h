// The themes every copy of the program has, on the first pages of the main
// window in this order: their names, as the phrase files, the storage files
// and the tabs spell them. How many there are is counted here and nowhere
// else; a further standard theme is one more name.
#pragma once

#include <iterator>
#include <string_view>

namespace tavlin {

inline constexpr std::u16string_view kStandardThemeNames[] = {u"安全", u"品質"};
inline constexpr int kStandardThemeCount =
    static_cast<int>(std::size(kStandardThemeNames));

}  // namespace tavlin
