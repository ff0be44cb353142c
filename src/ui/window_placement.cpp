#include "src/ui/window_placement.h"

#include <algorithm>
#include <climits>

namespace tavlin {

LayoutSize EncloseControls(std::vector<LayoutRect>& controls, int border) {
  if (controls.empty()) return {2 * border, 2 * border};
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const LayoutRect& c : controls) {
    left = std::min(left, c.left);
    top = std::min(top, c.top);
    right = std::max(right, c.left + c.width);
    bottom = std::max(bottom, c.top + c.height);
  }
  for (LayoutRect& c : controls) {
    c.left += border - left;
    c.top += border - top;
  }
  return {right - left + 2 * border, bottom - top + 2 * border};
}

LayoutRect CentredOnWorkArea(const WorkArea& work_area, LayoutSize window) {
  return {
      work_area.left + (work_area.right - work_area.left - window.width) / 2,
      work_area.top + (work_area.bottom - work_area.top - window.height) / 2,
      window.width, window.height};
}

}  // namespace tavlin
