#include "src/slogan/slogan_generator.h"

#include <utility>

#include "src/platform/file_access.h"
#include "src/slogan/mt19937ar.h"

namespace tavlin {

namespace {

void LoadPosition(const std::filesystem::path& file, PhraseList& list) {
  if (!IsExistingFile(file)) return;
  // Unchanged files, the usual case, are compared rather than parsed again.
  std::optional<std::string> bytes =
      ReadWholeFileIfChanged(file, list.file_bytes());
  if (bytes) list.AssignFileBytes(std::move(*bytes));
}

// The phrase files are Shift-JIS, and so is each of their lines.
ShiftJisView DrawFrom(const PhraseList& list) {
  const auto draw = static_cast<std::size_t>(genrand_int31());
  return ShiftJisView(list[draw % list.size()]);
}

}  // namespace

PhraseFileNames PhraseFileNamesOf(PhraseCategory category) {
  if (category == PhraseCategory::Safety)
    return {u8"安全上.txt", u8"安全中.txt", u8"安全下.txt"};
  return {u8"品質上.txt", u8"品質中.txt", u8"品質下.txt"};
}

void LoadPhrases(PhraseCategory category, const std::filesystem::path& folder,
                 PhraseLists& lists) {
  const PhraseFileNames names = PhraseFileNamesOf(category);
  LoadPosition(folder / names.upper, lists.upper);
  LoadPosition(folder / names.middle, lists.middle);
  LoadPosition(folder / names.lower, lists.lower);
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

void ComposeSlogans(const PhraseLists& lists, SloganListTarget& target) {
  if (lists.upper.empty() || lists.middle.empty() || lists.lower.empty())
    return;
  for (int n = 0; n < kSlogansPerGeneration; ++n) {
    // Separate statements keep the draws in the order first, middle, last.
    const ShiftJisView first = DrawFrom(lists.upper);
    const ShiftJisView middle = DrawFrom(lists.middle);
    const ShiftJisView last = DrawFrom(lists.lower);
    target.Append(JoinSlogan(first, middle, last));
  }
}

void GenerateSlogans(const std::filesystem::path& folder, int page_index,
                     PhraseLists& lists, std::uint32_t tick_count,
                     SloganListTarget& target) {
  if (CategoryOfPage(page_index) == PhraseCategory::Safety)
    LoadSafetyPhrases(folder, lists);
  else
    LoadQualityPhrases(folder, lists);
  init_genrand(tick_count);
  target.RemoveAll();
  ComposeSlogans(lists, target);
}

}  // namespace tavlin
