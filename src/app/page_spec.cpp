#include "src/app/page_spec.h"

#include "src/platform/file_access.h"
#include "src/slogan/phrase_theme.h"
#include "src/slogan/slogan_generator.h"
#include "src/storage/storage_file.h"
#include "src/ui/main_form_ids.h"

namespace tavlin {

namespace {

// A standard page is there whatever phrase files stand beside the program;
// a further theme only with all three of them.
PageSpec PageOf(const std::filesystem::path& executable,
                std::u16string_view theme, std::u16string caption,
                bool standard) {
  PageSpec page;
  page.caption = std::move(caption);
  page.storage_theme = theme;
  page.storage_file = StorageFilePath(executable, theme);
  if (!standard || AnyPhraseFile(executable.parent_path(), theme))
    page.phrase_theme = std::u16string(theme);
  page.box_at_start = standard;
  return page;
}

}  // namespace

bool AnyPhraseFile(const std::filesystem::path& folder,
                   std::u16string_view theme) {
  const PhraseFileNames names = PhraseFileNamesOf(theme);
  return IsExistingFile(folder / names.upper) ||
         IsExistingFile(folder / names.middle) ||
         IsExistingFile(folder / names.lower);
}

PageSpec ExtraPageOf(const std::filesystem::path& executable,
                     std::u16string_view theme) {
  return PageOf(executable, theme, ThemeCaption(theme), false);
}

std::vector<PageSpec> PagesOf(const std::filesystem::path& executable) {
  std::vector<PageSpec> pages;
  for (int standard = 0; standard < kStandardThemeCount; ++standard) {
    const std::u16string_view theme =
        ThemeName(static_cast<PhraseCategory>(standard));
    pages.push_back(PageOf(executable, theme, ThemeCaption(theme), true));
  }
  // Each page's box and timer has a number of its own, from a range.
  for (const std::u16string& theme : ExtraThemesIn(executable.parent_path())) {
    if (pages.size() == kMaximumPages) break;
    pages.push_back(ExtraPageOf(executable, theme));
  }
  return pages;
}

}  // namespace tavlin
