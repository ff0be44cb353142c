#include "src/workshop/workshop_margin.h"

#include <algorithm>

namespace tavlin {

std::vector<MarginRow> MarginRows(const std::vector<LineNote>& notes,
                                  std::size_t box_lines,
                                  const MarginView& view) {
  const std::size_t lines = std::max(box_lines, notes.size());
  const int height = std::max(view.line_height, 1);
  std::vector<MarginRow> rows;
  int top = view.top;
  for (std::size_t line = view.first_line; line < lines && top < view.bottom;
       ++line, top += height) {
    MarginRow& row = rows.emplace_back();
    row.top = top;
    if (line < notes.size()) row.figures = MarginFigures(notes[line]);
  }
  return rows;
}

std::u16string FiguresReading(const std::vector<MarginFigure>& figures) {
  std::u16string text;
  for (const MarginFigure& figure : figures)
    text += (text.empty() ? u"" : u" ") + figure.shown;
  return text;
}

std::u16string MarginReading(const std::vector<MarginRow>& rows) {
  std::u16string text;
  for (const MarginRow& row : rows)
    text += FiguresReading(row.figures) + u"\r\n";
  return text;
}

}  // namespace tavlin
