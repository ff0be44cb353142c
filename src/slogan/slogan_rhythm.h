// A slogan's rhythm: the morae of each of its parts, as the meter beside
// each row shows them ("5・7・5") and as screen readers read them.
#pragma once

#include <array>
#include <string>

#include "src/rhythm/mora_count.h"
#include "src/rhythm/mora_meter.h"
#include "src/slogan/phrase_holds.h"
#include "src/slogan/slogan_row.h"

namespace tavlin {

struct SloganRhythm {
  std::array<MoraCount, kPhrasePositions> parts{};
  // 1 for a slogan that came whole: parts[0] counts it all.
  std::size_t part_count = kPhrasePositions;
};

// The morae of 五・七・五, part by part.
inline constexpr std::array<int, kPhrasePositions> kFiveSevenFive = {5, 7, 5};

// One count: "5"; an approximate count as "約7", one that cannot be counted
// as "?".
std::u16string MoraFigure(const MoraCount& count);

// Its three parts count 5, 7 and 5, exactly.
bool ScansFiveSevenFive(const SloganRhythm& rhythm);
// How far it is from 五・七・五: the morae over or under, summed; a part
// that cannot be counted, or a slogan without parts, is far.
int DistanceFromFiveSevenFive(const SloganRhythm& rhythm);
// "5・7・5"; an approximate count as "約7", one that cannot be counted as
// "?".
std::u16string RhythmFigures(const SloganRhythm& rhythm);
// What a screen reader reads after the slogan: "音数 5・7・5 五・七・五".
std::u16string RhythmForReaders(const SloganRhythm& rhythm);

// A row's rhythm, part by part, as meter counts it; meter must be
// available.
SloganRhythm RhythmOf(const MoraMeter& meter, const SloganRow& row);
// A slogan as a storage list holds it: its parts apart by spaces (two in a
// row part it once), or counted whole where it has more than three.
SloganRhythm RhythmOfText(const MoraMeter& meter, std::u16string_view slogan);

}  // namespace tavlin
