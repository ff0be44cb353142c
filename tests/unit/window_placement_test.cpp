#include "src/ui/window_placement.h"

#include <gtest/gtest.h>

#include "src/ui/info_form_layout.h"

namespace tavlin {

namespace {

TEST(WindowPlacement, ThePanelEnclosesItsControlsWithItsBorder) {
  std::vector<LayoutRect> controls = {kAppIconRect};
  for (const InfoLabelLayout& label : kInfoLabels)
    controls.push_back(label.rect);
  const LayoutSize panel = EncloseControls(controls, kPanelBorder);
  // The designed texts span 8..310 across and 6..408 down.
  EXPECT_EQ(panel.width, 302 + 20);
  EXPECT_EQ(panel.height, 402 + 20);
  EXPECT_EQ(controls[0], (LayoutRect{10, 12, 32, 32}));  // the icon
  EXPECT_EQ(controls[1].top, 10);  // the file description is top-most
}

TEST(WindowPlacement, AGrowingLineGrowsTheEnclosure) {
  std::vector<LayoutRect> controls = {{8, 8, 100, 16}, {16, 40, 200, 16}};
  EXPECT_EQ(EncloseControls(controls, 10), (LayoutSize{228, 68}));
  controls = {{10, 10, 100, 16}, {18, 42, 350, 16}};
  EXPECT_EQ(EncloseControls(controls, 10), (LayoutSize{378, 68}));
}

TEST(WindowPlacement, TheWindowIsCentredOnTheWorkAreaWhereverTheTaskbarIs) {
  const LayoutSize window{300, 200};
  // Taskbar at the bottom, on the left, at the top of a 1280 x 1024 screen.
  EXPECT_EQ(CentredOnWorkArea({0, 0, 1280, 984}, window),
            (LayoutRect{490, 392, 300, 200}));
  EXPECT_EQ(CentredOnWorkArea({60, 0, 1280, 1024}, window),
            (LayoutRect{520, 412, 300, 200}));
  EXPECT_EQ(CentredOnWorkArea({0, 40, 1280, 1024}, window),
            (LayoutRect{490, 432, 300, 200}));
}

}  // namespace

}  // namespace tavlin
