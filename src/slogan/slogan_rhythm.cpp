#include "src/slogan/slogan_rhythm.h"

#include <cstdlib>
#include <vector>

#include "src/platform/unicode_text.h"

namespace tavlin {

namespace {

// Far enough that any countable slogan comes before.
constexpr int kFar = 1000;

}  // namespace

std::u16string MoraFigure(const MoraCount& count) {
  if (!count.countable) return u"?";
  std::u16string figure = count.approximate ? u"約" : u"";
  for (const char digit : std::to_string(count.morae))
    figure += static_cast<char16_t>(digit);
  return figure;
}

bool ScansFiveSevenFive(const SloganRhythm& rhythm) {
  return DistanceFromFiveSevenFive(rhythm) == 0;
}

int DistanceFromFiveSevenFive(const SloganRhythm& rhythm) {
  if (rhythm.part_count != kPhrasePositions) return kFar;
  int distance = 0;
  for (std::size_t i = 0; i < kPhrasePositions; ++i) {
    const MoraCount& count = rhythm.parts[i];
    distance +=
        count.countable ? std::abs(count.morae - kFiveSevenFive[i]) : kFar;
  }
  return distance;
}

std::u16string RhythmFigures(const SloganRhythm& rhythm) {
  std::u16string figures;
  for (std::size_t i = 0; i < rhythm.part_count && i < kPhrasePositions; ++i) {
    if (i > 0) figures += u"・";
    figures += MoraFigure(rhythm.parts[i]);
  }
  return figures;
}

std::u16string RhythmForReaders(const SloganRhythm& rhythm) {
  std::u16string text = u"音数 " + RhythmFigures(rhythm);
  if (ScansFiveSevenFive(rhythm)) text += u" 五・七・五";
  return text;
}

SloganRhythm RhythmOf(const MoraMeter& meter, const SloganRow& row) {
  SloganRhythm rhythm;
  rhythm.part_count = row.has_parts ? kPhrasePositions : 1;
  for (std::size_t i = 0; i < rhythm.part_count; ++i)
    rhythm.parts[i] = meter.Count(row.shown_parts[i]);
  return rhythm;
}

SloganRhythm RhythmOfText(const MoraMeter& meter, std::u16string_view slogan) {
  std::vector<std::u16string_view> parts;
  std::size_t begin = 0;
  for (std::size_t i = 0; i <= slogan.size(); ++i) {
    if (i < slogan.size() && !IsSpaceCharacter(slogan[i])) continue;
    if (i > begin) parts.push_back(slogan.substr(begin, i - begin));
    begin = i + 1;
  }
  SloganRhythm rhythm;
  if (parts.empty() || parts.size() > kPhrasePositions) {
    rhythm.part_count = 1;
    rhythm.parts[0] = meter.Count(slogan);
    return rhythm;
  }
  rhythm.part_count = parts.size();
  for (std::size_t i = 0; i < parts.size(); ++i)
    rhythm.parts[i] = meter.Count(parts[i]);
  return rhythm;
}

}  // namespace tavlin
