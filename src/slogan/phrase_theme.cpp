#include "src/slogan/phrase_theme.h"

#include <algorithm>
#include <map>

#include "src/platform/folder_listing.h"
#include "src/platform/unicode_text.h"

namespace tavlin {

namespace {

constexpr std::u16string_view kPositionMarks = u"上中下";
constexpr std::u16string_view kExtension = u".txt";

bool EndsWithExtension(std::u16string_view name) {
  if (name.size() < kExtension.size()) return false;
  const std::u16string_view tail = name.substr(name.size() - kExtension.size());
  return std::equal(tail.begin(), tail.end(), kExtension.begin(),
                    [](char16_t a, char16_t b) {
                      return (a >= u'A' && a <= u'Z' ? a + 32 : a) == b;
                    });
}

// The order of the code points: UTF-16 units order every character of the
// basic plane after the surrogates that encode the planes above it.
bool CodePointLess(std::u16string_view a, std::u16string_view b) {
  const auto key = [](char16_t c) {
    return c >= 0xD800 && c <= 0xDFFF ? c + 0x10000 : c + 0;
  };
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [&](char16_t x, char16_t y) { return key(x) < key(y); });
}

}  // namespace

std::u16string_view ThemeName(PhraseCategory category) {
  return kStandardThemeNames[static_cast<std::size_t>(category)];
}

bool IsStandardTheme(std::u16string_view name) {
  return std::find(std::begin(kStandardThemeNames),
                   std::end(kStandardThemeNames),
                   name) != std::end(kStandardThemeNames);
}

std::u16string ThemeCaption(std::u16string_view theme) {
  std::u16string caption = u"　";
  for (const char16_t c : std::u16string(theme) + u"標語") {
    caption += c;
    if (!(c >= 0xD800 && c <= 0xDBFF)) caption += u'　';
  }
  return caption;
}

std::vector<std::u16string> ExtraThemes(
    const std::vector<std::u16string>& file_names) {
  // For each name, which of the three positions have a file.
  std::map<std::u16string, unsigned> found;
  for (const std::u16string& file : file_names) {
    if (!EndsWithExtension(file)) continue;
    const std::u16string_view stem =
        std::u16string_view(file).substr(0, file.size() - kExtension.size());
    if (stem.size() < 2) continue;
    const std::size_t position = kPositionMarks.find(stem.back());
    if (position == std::u16string_view::npos) continue;
    const std::u16string_view name = stem.substr(0, stem.size() - 1);
    if (CharacterCount(name) > kMaximumThemeNameLength) continue;
    if (IsStandardTheme(name)) continue;
    found[std::u16string(name)] |= 1u << position;
  }
  std::vector<std::u16string> themes;
  for (const auto& [name, positions] : found)
    if (positions == 0b111) themes.push_back(name);
  std::sort(themes.begin(), themes.end(), CodePointLess);
  return themes;
}

std::vector<std::u16string> ExtraThemesIn(const std::filesystem::path& folder) {
  std::vector<std::u16string> names;
  for (const std::filesystem::path& name : FileNamesIn(folder)) {
    try {
      names.push_back(name.u16string());
    } catch (const std::exception&) {
      // A name without a Unicode form names no theme.
    }
  }
  return ExtraThemes(names);
}

}  // namespace tavlin
