// The pages of the main window as one list, the only place that knows which
// pages there are: the two standard themes, then every further theme whose
// phrase files stand beside the program. Each page, its tab and its storage
// box are made from its entry.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

struct PageSpec {
  std::u16string caption;  // the tab's
  // The theme the storage file is named for: "<program>安全保管庫.txt".
  std::u16string storage_theme;
  std::filesystem::path storage_file;
  // The theme whose phrase files the page composes from, or none where no
  // phrase file of its theme stands beside the program: the page then
  // shows no slogans and offers no generation, rather than composing from
  // another page's phrases.
  std::optional<std::u16string> phrase_theme;
  // Whether its storage box is made with the window; the others' when
  // their pages first show, for a box costs the start more than anything.
  bool box_at_start = false;
};

// The pages for the program at executable, in tab order.
std::vector<PageSpec> PagesOf(const std::filesystem::path& executable);
// The page of a further theme, as PagesOf makes it.
PageSpec ExtraPageOf(const std::filesystem::path& executable,
                     std::u16string_view theme);
// Whether any of the theme's three phrase files stands in folder.
bool AnyPhraseFile(const std::filesystem::path& folder,
                   std::u16string_view theme);

}  // namespace tavlin
