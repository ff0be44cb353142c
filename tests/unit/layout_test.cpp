#include "src/ui/layout.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "src/ui/main_form_layout.h"

namespace tavlin {

namespace {

// A row of the layout; the active page's storage box under its place in
// the tab order.
const ControlLayout& Control(MainFormControl id) {
  if (id == kActiveStorageBox) return kStorageBoxLayout;
  for (const ControlLayout& control : kMainFormLayout)
    if (control.id == id) return control;
  throw std::logic_error("no such control");
}

LayoutRect Resized(MainFormControl id, LayoutSize parent) {
  const ControlLayout& c = Control(id);
  return AnchoredRect(c.rect, kMainFormClientSize, parent, c.anchors);
}

TEST(MainFormLayout, WideningStretchesTheListAndBoxesAndMovesTheVersionButton) {
  const LayoutSize wider{472, 563};
  EXPECT_EQ(Resized(kListBox1, wider), (LayoutRect{12, 80, 450, 169}));
  EXPECT_EQ(Resized(kBitBtn2, wider), (LayoutRect{387, 48, 75, 25}));
  EXPECT_EQ(Resized(kBitBtn1, wider), (LayoutRect{12, 48, 165, 25}));
  EXPECT_EQ(Resized(kPanel1, wider), (LayoutRect{11, 251, 322, 17}));
  EXPECT_EQ(Resized(kActiveStorageBox, wider), (LayoutRect{12, 272, 450, 277}));
  EXPECT_EQ(Resized(kPageControl1, wider), (LayoutRect{0, 0, 472, 563}));
}

TEST(MainFormLayout, TheDesignSizeKeepsTheDesign) {
  std::vector<ControlLayout> rows(std::begin(kMainFormLayout),
                                  std::end(kMainFormLayout));
  rows.push_back(kStorageBoxLayout);
  for (const ControlLayout& c : rows)
    EXPECT_EQ(AnchoredRect(c.rect, kMainFormClientSize, kMainFormClientSize,
                           c.anchors),
              c.rect);
}

TEST(MainFormLayout, TheListLinesUpWithTheTextBoxes) {
  const LayoutRect list = Control(kListBox1).rect;
  const LayoutRect memo = Control(kActiveStorageBox).rect;
  EXPECT_EQ(list.left, memo.left);
  EXPECT_EQ(list.width, memo.width);
  // Five rows of 32 pixels fit inside the list's sunken border.
  EXPECT_GE(list.height - 4, 5 * kSloganRowHeight);
}

TEST(MainFormLayout, ShrinkingNeverGivesNegativeSizes) {
  EXPECT_EQ(Resized(kActiveStorageBox, {10, 10}).width, 0);
  EXPECT_EQ(Resized(kActiveStorageBox, {10, 10}).height, 0);
}

TEST(Layout, ScalesInProportionToTheDpi) {
  EXPECT_EQ(ScaleForDpi(LayoutRect{12, 48, 165, 25}, 96),
            (LayoutRect{12, 48, 165, 25}));
  EXPECT_EQ(ScaleForDpi(LayoutRect{12, 48, 165, 25}, 144),
            (LayoutRect{18, 72, 248, 38}));
  EXPECT_EQ(ScaleForDpi(-13, 192), -26);
  EXPECT_EQ(ScaleForDpi(kSloganRowHeight, 120), 40);
}

// At 150% the design is scaled first, then anchored in the larger window.
TEST(Layout, PlacesAControlScaledAndAnchored) {
  const LayoutSize client{658, 745};  // 100 by 50 beyond the scaled design
  const ControlLayout& memo = Control(kActiveStorageBox);
  const ControlLayout& version = Control(kBitBtn2);
  EXPECT_EQ(
      PlacedRect(memo.rect, kMainFormClientSize, 144, client, memo.anchors),
      (LayoutRect{18, 408, 625, 316}));
  EXPECT_EQ(PlacedRect(version.rect, kMainFormClientSize, 144, client,
                       version.anchors),
            (LayoutRect{531, 72, 113, 38}));
}

// A4 in a wide room and a tall one: the page touches two sides and is
// centred between the other two.
TEST(Layout, FitsAShapeCentredInARoom) {
  const LayoutSize a4{2480, 3508};
  EXPECT_EQ(FitCentred(a4, {10, 20, 1000, 702}),
            (LayoutRect{262, 20, 496, 702}));
  EXPECT_EQ(FitCentred(a4, {0, 0, 496, 1000}), (LayoutRect{0, 149, 496, 701}));
  EXPECT_EQ(FitCentred(a4, {5, 5, 0, 0}), (LayoutRect{5, 5, 0, 0}));
}

}  // namespace

}  // namespace tavlin
