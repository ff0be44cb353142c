// The phrase workshop's margin beside a box, as one model: which of the
// box's lines are in view, where each stands and the figures beside it.
// The window draws it and a screen reader reads it from the same rows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "src/workshop/phrase_notes.h"

namespace tavlin {

// How the box shows its lines now, in the margin's pixels.
struct MarginView {
  std::size_t first_line = 0;  // the first the box shows
  int line_height = 1;
  int top = 0;     // where the first line stands
  int bottom = 0;  // where the box stops showing lines
};

// The figures beside one line in view.
struct MarginRow {
  int top = 0;
  std::vector<MarginFigure> figures;
  bool operator==(const MarginRow&) const = default;
};

// A row for each of the box's lines in view, from the first down to the
// last that shows even in part. The box may hold more lines than notes (a
// last line still empty): those rows show nothing.
std::vector<MarginRow> MarginRows(const std::vector<LineNote>& notes,
                                  std::size_t box_lines,
                                  const MarginView& view);

// One line's figures as read aloud: spaced, in order.
std::u16string FiguresReading(const std::vector<MarginFigure>& figures);
// The margin as a screen reader reads it: a row per line, each ended by a
// line break.
std::u16string MarginReading(const std::vector<MarginRow>& rows);

}  // namespace tavlin
