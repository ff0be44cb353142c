// Gives a tab control the first set of captions whose tabs all fit its
// width, the last set where none does.
#pragma once

#include <windows.h>

#include <vector>

#include "src/ui/tab_captions.h"

namespace tavlin {

void FitTabCaptions(HWND tabs, const std::vector<TabCaptionSet>& choices);

}  // namespace tavlin
