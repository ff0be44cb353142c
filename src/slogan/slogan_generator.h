// Composing slogans: loading a theme's three phrase files and drawing five
// slogans from them. Runs without any window: the caller hands in the list
// that shows the slogans.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "src/platform/shift_jis_text.h"
#include "src/slogan/phrase_category.h"
#include "src/slogan/phrase_list.h"

namespace tavlin {

// What a generation needs of the list that shows the slogans.
class SloganListTarget {
 public:
  virtual void RemoveAll() = 0;
  virtual void Append(ShiftJisView slogan) = 0;

 protected:
  ~SloganListTarget() = default;
};

inline constexpr int kSlogansPerGeneration = 5;

// The file names of a theme's first, middle and last parts.
struct PhraseFileNames {
  std::filesystem::path upper;
  std::filesystem::path middle;
  std::filesystem::path lower;
};
PhraseFileNames PhraseFileNamesOf(PhraseCategory category);

// Loads each position whose file exists in folder, first, middle, last; a
// missing file leaves its list as it was. Throws TavlinError
// "ファイル %s は開けません" for a file that exists but cannot be read; the
// positions before it keep their new phrases.
void LoadPhrases(PhraseCategory category, const std::filesystem::path& folder,
                 PhraseLists& lists);
void LoadSafetyPhrases(const std::filesystem::path& folder, PhraseLists& lists);
void LoadQualityPhrases(const std::filesystem::path& folder,
                        PhraseLists& lists);

// The first, middle and last phrase joined by single spaces.
ShiftJisText JoinSlogan(ShiftJisView first, ShiftJisView middle,
                        ShiftJisView last);

// Draws five slogans from the lists with the generator as it stands and
// appends them to target; nothing when one of the lists is empty.
void ComposeSlogans(const PhraseLists& lists, SloganListTarget& target);

// One generation: loads the theme of the page from folder, seeds the
// generator with tick_count, empties target and composes five slogans.
void GenerateSlogans(const std::filesystem::path& folder, int page_index,
                     PhraseLists& lists, std::uint32_t tick_count,
                     SloganListTarget& target);

}  // namespace tavlin
