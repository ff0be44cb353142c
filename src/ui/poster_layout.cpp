#include "src/ui/poster_layout.h"

#include <algorithm>

#include "src/platform/unicode_text.h"

namespace tavlin {

std::vector<std::u16string> SloganParts(std::u16string_view slogan) {
  std::vector<std::u16string> parts;
  std::size_t at = 0;
  while (at < slogan.size()) {
    while (at < slogan.size() && IsSpaceCharacter(slogan[at])) ++at;
    std::size_t end = at;
    while (end < slogan.size() && !IsSpaceCharacter(slogan[end])) ++end;
    if (end > at) parts.emplace_back(slogan.substr(at, end - at));
    at = end;
  }
  return parts;
}

PosterLayout LayOutPoster(const std::vector<std::size_t>& part_lengths,
                          PosterPage page, bool with_footer) {
  PosterLayout layout;
  layout.margin = page.width / 10;
  int bottom = page.height - layout.margin;
  if (with_footer) {
    layout.footer_size = page.width / 24;
    layout.footer_top = bottom - layout.footer_size;
    bottom = layout.footer_top - layout.footer_size;  // a line's gap above it
  }
  const auto columns = static_cast<int>(part_lengths.size());
  const std::size_t longest =
      columns ? *std::max_element(part_lengths.begin(), part_lengths.end()) : 0;
  if (columns == 0 || longest == 0) return layout;

  const int width = page.width - 2 * layout.margin;
  const int height = bottom - layout.margin;
  // n columns and n - 1 gaps of half a column fill the width.
  const int by_width = 2 * width / (3 * columns - 1);
  const int by_height = height / static_cast<int>(longest);
  const int size = std::max(1, std::min(by_width, by_height));
  layout.character_size = size;

  const int block_width = columns * size + (columns - 1) * size / 2;
  const int block_right = (page.width + block_width) / 2;
  const int block_top =
      layout.margin + (height - static_cast<int>(longest) * size) / 2;
  for (int n = 0; n < columns; ++n) {
    PosterColumn& column = layout.columns.emplace_back();
    column.centre_x = block_right - size / 2 - n * (size + size / 2);
    column.top = block_top;
    column.height =
        static_cast<int>(part_lengths[static_cast<std::size_t>(n)]) * size;
  }
  return layout;
}

}  // namespace tavlin
