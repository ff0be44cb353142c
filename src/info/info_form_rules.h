// The rules of the information window that need no window: how the panel
// encloses its controls, where the window goes, and its texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "src/ui/layout.h"

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

// The description with its first "Microsoft " removed.
std::string WithoutFirstMicrosoft(std::string description);

// The message of a failure code: the system's text for it without trailing
// blanks, control characters and full stops, or "OLE エラー XXXXXXXX" when
// the system has none. UTF-8.
std::string OleErrorMessage(std::uint32_t code, std::string_view system_text);
