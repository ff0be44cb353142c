// Where a slogan stands on a vertical poster: each part in a column of its
// own, the first on the right, the characters as large as the page allows,
// and an optional foot line in a smaller size.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

struct PosterPage {
  int width = 0;
  int height = 0;
};

// A4 portrait at 300 dots per inch; its proportions serve B3 as well.
inline constexpr PosterPage kA4At300Dpi{2480, 3508};

// The pieces of a slogan between spaces (ASCII or ideographic) and tabs.
std::vector<std::u16string> SloganParts(std::u16string_view slogan);

struct PosterColumn {
  int centre_x = 0;  // the column's middle, across
  int top = 0;       // where its first character's cell begins
  int height = 0;    // its characters' cells, one under another
};

struct PosterLayout {
  int margin = 0;
  int character_size = 0;  // the side of a character's cell
  // In the slogan's order, so the first stands rightmost.
  std::vector<PosterColumn> columns;
  int footer_size = 0;  // 0 without a foot line
  int footer_top = 0;   // the top of the foot line's cell, centred across
};

// part_lengths counts each part's characters. The columns stand half a
// character apart, and the block of them is centred on the page inside its
// margins, above the foot line where there is one.
PosterLayout LayOutPoster(const std::vector<std::size_t>& part_lengths,
                          PosterPage page, bool with_footer);

}  // namespace tavlin
