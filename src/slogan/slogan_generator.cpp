#include "src/slogan/slogan_generator.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "src/platform/file_access.h"
#include "src/platform/text_encoding.h"
#include "src/slogan/mt19937ar.h"
#include "src/slogan/phrase_index.h"
#include "src/slogan/phrase_theme.h"

namespace tavlin {

namespace {

void LoadPosition(const std::filesystem::path& file, PhraseList& list,
                  const TextCodec* shift_jis) {
  if (!IsExistingFile(file)) return;
  // Unchanged files, the usual case, are compared rather than parsed again.
  std::optional<std::string> bytes =
      ReadWholeFileIfChanged(file, list.file_bytes());
  if (!bytes) return;
  // Indexed as Shift-JIS first, the usual encoding: the index finds the
  // first zero byte, which UTF-16 without a mark has and Shift-JIS not.
  PhraseIndex index = IndexPhrases(*bytes);
  // A file Notepad saved as UTF-8 or UTF-16 is read as written; one that is
  // not valid in it is taken byte for byte, as a Shift-JIS file is.
  const TextEncoding encoding =
      DetectTextEncoding(*bytes, index.text_end < bytes->size());
  const std::optional<std::u16string> text =
      encoding == TextEncoding::ShiftJis || !shift_jis
          ? std::nullopt
          : DecodeUnicodeText(*bytes, encoding);
  if (!text) {
    list.AssignIndexedFileBytes(std::move(*bytes), std::move(index));
    return;
  }
  bool lossy = false;
  list.AssignConvertedFile(std::move(*bytes), shift_jis->Encode(*text, lossy));
}

// The phrase files are Shift-JIS, and so is each of their lines.
ShiftJisView DrawFrom(const PhraseList& list) {
  const auto draw = static_cast<std::size_t>(genrand_int31());
  return ShiftJisView(list[draw % list.size()]);
}

}  // namespace

PhraseFileNames PhraseFileNamesOf(std::u16string_view theme) {
  const std::u16string name(theme);
  return {name + u"上.txt", name + u"中.txt", name + u"下.txt"};
}

PhraseFileNames PhraseFileNamesOf(PhraseCategory category) {
  return PhraseFileNamesOf(ThemeName(category));
}

void LoadPhrases(PhraseCategory category, const std::filesystem::path& folder,
                 PhraseLists& lists) {
  LoadThemePhrases(ThemeName(category), folder, lists);
}

void LoadThemePhrases(std::u16string_view theme,
                      const std::filesystem::path& folder, PhraseLists& lists) {
  const PhraseFileNames names = PhraseFileNamesOf(theme);
  LoadPosition(folder / names.upper, lists.upper, lists.shift_jis);
  LoadPosition(folder / names.middle, lists.middle, lists.shift_jis);
  LoadPosition(folder / names.lower, lists.lower, lists.shift_jis);
}

void LoadSafetyPhrases(const std::filesystem::path& folder,
                       PhraseLists& lists) {
  LoadPhrases(PhraseCategory::Safety, folder, lists);
}

void LoadQualityPhrases(const std::filesystem::path& folder,
                        PhraseLists& lists) {
  LoadPhrases(PhraseCategory::Quality, folder, lists);
}

ShiftJisText JoinSlogan(ShiftJisView first, ShiftJisView middle,
                        ShiftJisView last) {
  std::string slogan;
  slogan.reserve(first.bytes().size() + middle.bytes().size() +
                 last.bytes().size() + 2);
  slogan.append(first.bytes()).append(1, ' ').append(middle.bytes());
  slogan.append(1, ' ').append(last.bytes());
  return ShiftJisText(std::move(slogan));
}

void SloganListTarget::AppendParts(const ComposedSlogan& slogan) {
  Append(JoinSlogan(slogan.parts[0], slogan.parts[1], slogan.parts[2]));
}

namespace {

ComposedSlogan DrawSlogan(const PhraseLists& lists, const PhraseHolds& holds) {
  ComposedSlogan slogan;
  // Separate statements keep the draws in the order first, middle, last.
  slogan.parts[0] = DrawFrom(lists.upper);
  slogan.parts[1] = DrawFrom(lists.middle);
  slogan.parts[2] = DrawFrom(lists.lower);
  for (std::size_t i = 0; i < kPhrasePositions; ++i) {
    if (!holds.phrases[i]) continue;
    slogan.parts[i] = *holds.phrases[i];
    slogan.held[i] = true;
  }
  return slogan;
}

bool SameParts(const ComposedSlogan& a, const ComposedSlogan& b) {
  for (std::size_t i = 0; i < kPhrasePositions; ++i)
    if (a.parts[i].bytes() != b.parts[i].bytes()) return false;
  return true;
}

bool AnyListEmpty(const PhraseLists& lists) {
  return lists.upper.empty() || lists.middle.empty() || lists.lower.empty();
}

}  // namespace

void ComposeSlogans(const PhraseLists& lists, SloganListTarget& target,
                    const PhraseHolds& holds) {
  if (AnyListEmpty(lists)) return;
  for (int n = 0; n < kSlogansPerGeneration; ++n)
    target.AppendParts(DrawSlogan(lists, holds));
}

int ComposeFiveSevenFiveSlogans(const PhraseLists& lists,
                                SloganListTarget& target,
                                const SloganRhythmOf& rhythm,
                                const PhraseHolds& holds, int most_draws) {
  if (AnyListEmpty(lists)) return 0;
  struct Drawn {
    ComposedSlogan slogan;
    int distance;
  };
  std::vector<Drawn> drawn;
  int scanning = 0;
  for (int n = 0; n < most_draws && scanning < kSlogansPerGeneration; ++n) {
    ComposedSlogan slogan = DrawSlogan(lists, holds);
    const bool seen = std::any_of(
        drawn.begin(), drawn.end(),
        [&](const Drawn& other) { return SameParts(other.slogan, slogan); });
    if (seen) continue;
    const int distance = DistanceFromFiveSevenFive(rhythm.Of(slogan));
    if (distance == 0) ++scanning;
    drawn.push_back({slogan, distance});
  }
  // The closest five, the earlier drawn first among equals: a few passes
  // over the draws keep the program smaller than a sort.
  for (int shown = 0; shown < kSlogansPerGeneration && !drawn.empty();
       ++shown) {
    const auto closest = std::min_element(
        drawn.begin(), drawn.end(),
        [](const Drawn& a, const Drawn& b) { return a.distance < b.distance; });
    target.AppendParts(closest->slogan);
    drawn.erase(closest);
  }
  return scanning;
}

int GenerateThemeSlogans(const std::filesystem::path& folder,
                         std::u16string_view theme, PhraseLists& lists,
                         std::uint32_t tick_count, SloganListTarget& target,
                         PhraseHolds* holds,
                         const SloganRhythmOf* five_seven_five) {
  LoadThemePhrases(theme, folder, lists);
  init_genrand(tick_count);
  target.RemoveAll();
  if (holds) ReleaseUnlistedHolds(*holds, lists);
  const PhraseHolds no_holds;
  const PhraseHolds& held = holds ? *holds : no_holds;
  if (five_seven_five)
    return ComposeFiveSevenFiveSlogans(lists, target, *five_seven_five, held);
  ComposeSlogans(lists, target, held);
  return kSlogansPerGeneration;
}

}  // namespace tavlin
