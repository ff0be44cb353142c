#include "src/app/page_spec.h"

#include "src/platform/file_access.h"
#include "src/slogan/phrase_theme.h"
#include "src/slogan/slogan_generator.h"
#include "src/storage/storage_file.h"
#include "src/ui/main_form_ids.h"
#include "src/ui/main_form_layout.h"

namespace tavlin {

namespace {

bool AnyPhraseFile(const std::filesystem::path& folder,
                   std::u16string_view theme) {
  const PhraseFileNames names = PhraseFileNamesOf(theme);
  return IsExistingFile(folder / names.upper) ||
         IsExistingFile(folder / names.middle) ||
         IsExistingFile(folder / names.lower);
}

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

std::vector<PageSpec> PagesOf(const std::filesystem::path& executable) {
  std::vector<PageSpec> pages;
  const PhraseCategory standard[] = {PhraseCategory::Safety,
                                     PhraseCategory::Quality};
  for (std::size_t i = 0; i < std::size(standard); ++i)
    pages.push_back(PageOf(executable, ThemeName(standard[i]),
                           std::u16string(kPageCaptions[i]), true));
  std::vector<std::u16string> further = ExtraThemesIn(executable.parent_path());
  // Each page's box and timer has a number of its own, from a range.
  if (further.size() > kMaximumExtraPages) further.resize(kMaximumExtraPages);
  for (const std::u16string& theme : further)
    pages.push_back(PageOf(executable, theme, ThemeCaption(theme), false));
  return pages;
}

}  // namespace tavlin
