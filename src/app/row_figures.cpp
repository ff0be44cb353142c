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

std::u16string SpokenRowText(const SloganRow& row,
                             const std::vector<RowFigure>& figures) {
  std::u16string text = row.Text();
  for (const RowFigure& figure : figures)
    text += u"\u3000（" + figure.spoken + u"）";
  return text;
}

}  // namespace tavlin
