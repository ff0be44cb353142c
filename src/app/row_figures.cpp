#include "src/app/row_figures.h"

#include "src/slogan/slogan_rhythm.h"

namespace tavlin {

std::vector<RowFigure> FiguresOfRow(const MoraMeter& meter,
                                    const SloganRow& row) {
  std::vector<RowFigure> figures;
  if (meter.available()) {
    const SloganRhythm rhythm = RhythmOf(meter, row);
    figures.push_back(
        {(ScansFiveSevenFive(rhythm) ? u"◎ " : u"") + RhythmFigures(rhythm),
         RhythmForReaders(rhythm)});
  }
  return figures;
}

}  // namespace tavlin
