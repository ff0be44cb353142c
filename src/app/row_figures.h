// What stands at the right of a row of the slogan list: the figures known
// of the row, each as the screen shows it and as a screen reader reads it
// after the slogan. The list draws whatever is here, in this order; a new
// figure is one more entry of FiguresOfRow.
#pragma once

#include <string>
#include <vector>

#include "src/rhythm/mora_meter.h"
#include "src/slogan/slogan_row.h"

namespace tavlin {

struct RowFigure {
  std::u16string shown;   // "◎ 5・7・5"
  std::u16string spoken;  // "音数 5・7・5 五・七・五"
  bool operator==(const RowFigure&) const = default;
};

// The row's figures: its rhythm where the meter is loaded; none otherwise.
std::vector<RowFigure> FiguresOfRow(const MoraMeter& meter,
                                    const SloganRow& row);
// A row as a list item carries it for screen readers: the slogan, then
// each figure in brackets ("安全第一　（音数 5・7・5 五・七・五）").
std::u16string SpokenRowText(const SloganRow& row,
                             const std::vector<RowFigure>& figures);

}  // namespace tavlin
