// The workshop's margin as a model: the rows beside the lines its box
// shows, where each stands, what each says and how a screen reader reads
// them.
#include "src/workshop/workshop_margin.h"

#include <gtest/gtest.h>

namespace tavlin {

namespace {

// Five lines: fits, too long, blank, fits twice, uncounted.
const std::vector<LineNote> kNotes = {{u"5", true},
                                      {u"6", false, true},
                                      {u"", false, false, false, true},
                                      {u"5", true, false, true},
                                      {}};

struct RowsCase {
  std::size_t box_lines;
  MarginView view;
  std::vector<int> tops;
  std::u16string reading;
};

TEST(WorkshopMargin, ShowsARowForEachLineInViewFromTheFirst) {
  const RowsCase cases[] = {
      {5,
       {0, 10, 2, 100},
       {2, 12, 22, 32, 42},
       u"5\r\n▲6\r\n空行\r\n5 重複\r\n\r\n"},
      // Scrolled: the third line stands at the top.
      {5, {2, 10, 0, 100}, {0, 10, 20}, u"空行\r\n5 重複\r\n\r\n"},
      // The last in view shows in part; the one below it not at all.
      {5, {1, 10, 0, 21}, {0, 10, 20}, u"▲6\r\n空行\r\n5 重複\r\n"},
      {5, {1, 10, 0, 20}, {0, 10}, u"▲6\r\n空行\r\n"},
      // A last line the box holds but nobody has typed into yet.
      {6, {4, 10, 0, 100}, {0, 10}, u"\r\n\r\n"},
      {5, {5, 10, 0, 100}, {}, u""},
  };
  for (const RowsCase& c : cases) {
    const std::vector<MarginRow> rows = MarginRows(kNotes, c.box_lines, c.view);
    std::vector<int> tops;
    for (const MarginRow& row : rows) tops.push_back(row.top);
    EXPECT_EQ(tops, c.tops) << c.view.first_line << " " << c.view.bottom;
    EXPECT_EQ(MarginReading(rows), c.reading) << c.view.first_line;
  }
}

TEST(WorkshopMargin, FiguresThatAskTheWriterToLookAreMarked) {
  const auto warned = [](const LineNote& note) {
    std::vector<bool> warns;
    for (const MarginFigure& figure : MarginFigures(note))
      warns.push_back(figure.warns);
    return warns;
  };
  EXPECT_EQ(warned(kNotes[0]), std::vector<bool>{false});
  EXPECT_EQ(warned(kNotes[1]), std::vector<bool>{true});
  EXPECT_EQ(warned(kNotes[2]), std::vector<bool>{false});
  EXPECT_EQ(warned(kNotes[3]), (std::vector<bool>{false, true}));
  EXPECT_TRUE(warned(kNotes[4]).empty());
}

}  // namespace

}  // namespace tavlin
