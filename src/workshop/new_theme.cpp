#include "src/workshop/new_theme.h"

#include <algorithm>
#include <memory>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/unicode_text.h"
#include "src/slogan/phrase_theme.h"
#include "src/slogan/slogan_generator.h"

namespace tavlin {

namespace {

// What Windows refuses in a file name, and what a theme's name must not
// carry into one.
constexpr std::u16string_view kNotInFileNames = u"<>:\"/\\|?*";

bool IsSpace(char16_t c) { return c <= u' ' || c == u'　'; }

}  // namespace

std::u16string TrimmedThemeName(std::u16string_view typed) {
  while (!typed.empty() && IsSpace(typed.front())) typed.remove_prefix(1);
  while (!typed.empty() && IsSpace(typed.back())) typed.remove_suffix(1);
  return std::u16string(typed);
}

std::optional<std::string> WhyNotANewTheme(
    std::u16string_view name, const std::vector<std::u16string>& themes) {
  if (name.empty()) return std::string(kThemeNameEmpty);
  for (const char16_t c : name)
    if (c < u' ' || kNotInFileNames.find(c) != std::u16string_view::npos)
      return ComposeMessage(kThemeNameBadCharacter,
                            {c < u' ' ? std::string("改行・制御文字")
                                      : Utf8FromU16(std::u16string(1, c))});
  if (CharacterCount(name) > kMaximumThemeNameLength)
    return ComposeMessage(kThemeNameTooLong,
                          {std::to_string(kMaximumThemeNameLength)});
  if (IsStandardTheme(name) ||
      std::find(themes.begin(), themes.end(), name) != themes.end())
    return ComposeMessage(kThemeExists, {Utf8FromU16(name)});
  return std::nullopt;
}

std::optional<std::string> CreateThemeFiles(const std::filesystem::path& folder,
                                            std::u16string_view theme,
                                            FileOps& ops) {
  const PhraseFileNames names = PhraseFileNamesOf(theme);
  const std::filesystem::path files[] = {
      folder / names.upper, folder / names.middle, folder / names.lower};
  for (const std::filesystem::path& file : files)
    if (ops.IsFile(file) || ops.IsFolder(file))
      return ComposeMessage(kPhraseFileExists, {PathForMessage(file)});
  std::vector<std::filesystem::path> created;
  for (const std::filesystem::path& file : files) {
    std::unique_ptr<OutputFile> output;
    const CreateResult result = ops.CreateNew(file, output);
    if (result == CreateResult::Created) created.push_back(file);
    if (result == CreateResult::Created && output->Close()) continue;
    // Only what this made goes, empty as it was made.
    for (const std::filesystem::path& made : created) ops.Remove(made);
    return result == CreateResult::AlreadyExists
               ? ComposeMessage(kPhraseFileExists, {PathForMessage(file)})
               : ComposeMessage(kCannotCreateFile, {PathForMessage(file)});
  }
  return std::nullopt;
}

}  // namespace tavlin
