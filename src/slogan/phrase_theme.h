// Themes of slogans beyond the standard ones: any complete triple of phrase
// files "<theme>上.txt", "<theme>中.txt" and "<theme>下.txt" beside the
// program adds a page with its own storage list.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "src/slogan/phrase_category.h"

namespace tavlin {

inline constexpr std::size_t kMaximumThemeNameLength = 8;  // characters

// "安全" or "品質".
std::u16string_view ThemeName(PhraseCategory category);
bool IsStandardTheme(std::u16string_view name);

// The page caption: the theme and "標語", an ideographic space at both ends
// and between every two characters, as the standard pages have it.
std::u16string ThemeCaption(std::u16string_view theme);

// The themes that complete triples among file_names add, in code point
// order of their names; the standard ones are not among them. A name is
// what comes before 上, 中 or 下 and ".txt" (in any case), at most
// kMaximumThemeNameLength characters.
std::vector<std::u16string> ExtraThemes(
    const std::vector<std::u16string>& file_names);

// ExtraThemes of the files in folder; none when it cannot be listed.
std::vector<std::u16string> ExtraThemesIn(const std::filesystem::path& folder);

}  // namespace tavlin
