// Composing slogans: loading a theme's three phrase files and drawing five
// slogans from them. Runs without any window: the caller hands in the list
// that shows the slogans.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "src/platform/shift_jis_text.h"
#include "src/slogan/phrase_category.h"
#include "src/slogan/phrase_holds.h"
#include "src/slogan/phrase_list.h"
#include "src/slogan/slogan_rhythm.h"

namespace tavlin {

// A slogan as drawn: its three parts, and which of them were held.
struct ComposedSlogan {
  std::array<ShiftJisView, kPhrasePositions> parts;
  std::array<bool, kPhrasePositions> held{};
};

// What a generation needs of the list that shows the slogans.
class SloganListTarget {
 public:
  virtual void RemoveAll() = 0;
  virtual void Append(ShiftJisView slogan) = 0;
  // For a list that shows the parts apart; others take the joined slogan.
  virtual void AppendParts(const ComposedSlogan& slogan);

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
PhraseFileNames PhraseFileNamesOf(std::u16string_view theme);

// Loads each position whose file exists in folder, first, middle, last; a
// missing file leaves its list as it was. Throws TavlinError
// "ファイル %s は開けません" for a file that exists but cannot be read; the
// positions before it keep their new phrases.
void LoadPhrases(PhraseCategory category, const std::filesystem::path& folder,
                 PhraseLists& lists);
void LoadThemePhrases(std::u16string_view theme,
                      const std::filesystem::path& folder, PhraseLists& lists);
void LoadSafetyPhrases(const std::filesystem::path& folder, PhraseLists& lists);
void LoadQualityPhrases(const std::filesystem::path& folder,
                        PhraseLists& lists);

// The first, middle and last phrase joined by single spaces.
ShiftJisText JoinSlogan(ShiftJisView first, ShiftJisView middle,
                        ShiftJisView last);

// Draws five slogans from the lists with the generator as it stands and
// appends them to target; nothing when one of the lists is empty. A held
// phrase takes its position's place, while the draw for that position is
// still made: the other parts are those the same seed gives without holds.
void ComposeSlogans(const PhraseLists& lists, SloganListTarget& target,
                    const PhraseHolds& holds = {});

// How many slogans a generation in 五・七・五 draws at most.
inline constexpr int kMostFiveSevenFiveDraws = 2000;

// The morae of each part of a slogan, for a generation in 五・七・五.
class SloganRhythmOf {
 public:
  virtual SloganRhythm Of(const ComposedSlogan& slogan) const = 0;

 protected:
  ~SloganRhythmOf() = default;
};

// Draws slogans as ComposeSlogans does, one after another, until five
// different ones scan 五・七・五 or most_draws are drawn; appends those, or
// where fewer scan, the closest drawn, closest first. Returns how many of
// them scan; nothing is appended when one of the lists is empty.
int ComposeFiveSevenFiveSlogans(const PhraseLists& lists,
                                SloganListTarget& target,
                                const SloganRhythmOf& rhythm,
                                const PhraseHolds& holds = {},
                                int most_draws = kMostFiveSevenFiveDraws);

// One generation: loads the theme of that name from folder, seeds the
// generator with tick_count, empties target and composes five slogans.
// Where holds are given, those whose phrase left its file are released
// first. With five_seven_five, in 五・七・五, returning how many scan
// (otherwise kSlogansPerGeneration).
int GenerateThemeSlogans(const std::filesystem::path& folder,
                         std::u16string_view theme, PhraseLists& lists,
                         std::uint32_t tick_count, SloganListTarget& target,
                         PhraseHolds* holds = nullptr,
                         const SloganRhythmOf* five_seven_five = nullptr);

}  // namespace tavlin
