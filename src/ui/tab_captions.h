// The captions of the main window's tabs, in the order they are tried: the
// standard pages' own, spaced as designed, then each theme's name with 標語
// and no spaces, then the name alone. The standard pages alone always keep
// the designed captions; with further themes the window takes the first set
// whose tabs all fit the strip, so that no tab is cut and no scroll arrows
// appear.
#pragma once

#include <string>
#include <vector>

namespace tavlin {

struct TabPage {
  std::u16string designed;  // the caption spaced as the standard pages'
  std::u16string theme;     // "安全", "交通安全"
};

using TabCaptionSet = std::vector<std::u16string>;

std::vector<TabCaptionSet> TabCaptionChoices(const std::vector<TabPage>& pages);

}  // namespace tavlin
