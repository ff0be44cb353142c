// The standard themes of slogans, on the first pages of the main window in
// this order; their names are in phrase_theme.cpp, a further standard theme
// is one more entry here and there.
#pragma once

namespace tavlin {

enum class PhraseCategory { Safety, Quality };
inline constexpr int kStandardThemeCount = 2;

}  // namespace tavlin
