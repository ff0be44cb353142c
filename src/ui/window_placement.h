// Where controls and windows go: a panel drawn tight around its controls,
// a window centred on the work area.
#pragma once

#include <vector>

#include "src/ui/layout.h"

namespace tavlin {

// Moves the controls together so that the left-most and top-most lie at
// the border, and returns the size that holds them with the border on
// every side.
LayoutSize EncloseControls(std::vector<LayoutRect>& controls, int border);

struct WorkArea {
  int left;
  int top;
  int right;
  int bottom;
};

// The top-left corner that centres a window of the given outer size on the
// work area, the work area's own origin included (a taskbar on the left or
// at the top moves it).
LayoutRect CentredOnWorkArea(const WorkArea& work_area, LayoutSize window);

}  // namespace tavlin
