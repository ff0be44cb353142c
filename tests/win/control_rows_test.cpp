// Controls made from a layout table: the class and look of each kind, the
// place at the design DPI and at 150%, and the anchors when the window
// grows.
#include <gtest/gtest.h>

#include <string>

#include "win32/gui/control_rows_win32.h"

namespace tavlin {

namespace {

enum TestControl : int { kTestButton = 11, kTestBox, kTestLabel };

constexpr LayoutSize kDesignClient{200, 100};
constexpr ControlRow<TestControl> kTestRows[] = {
    {kTestButton,
     ControlKind::PushButton,
     {10, 10, 60, 20},
     kAnchorTop | kAnchorRight,
     u"押す"},
    {kTestBox, ControlKind::StorageBox, {10, 40, 180, 50}, kAnchorAll, u""},
    {kTestLabel,
     ControlKind::RightLabel,
     {80, 10, 40, 20},
     kAnchorLeft | kAnchorTop,
     u"名前:"},
};

class ParentWindow {
 public:
  ParentWindow() {
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 400,
                              nullptr, nullptr, nullptr, nullptr);
  }
  ~ParentWindow() { DestroyWindow(window_); }
  HWND get() const { return window_; }
  LayoutRect PlaceOf(int id) const {
    RECT bounds{};
    HWND control = GetDlgItem(window_, id);
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bounds), 2);
    return {bounds.left, bounds.top, bounds.right - bounds.left,
            bounds.bottom - bounds.top};
  }

 private:
  HWND window_;
};

std::wstring ClassNameOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

struct DpiCase {
  int dpi;
  LayoutRect button, box, label;
};

class ControlRowsAtDpi : public testing::TestWithParam<DpiCase> {};

TEST_P(ControlRowsAtDpi, AreMadeInTheirPlaceAndFollowTheirAnchors) {
  const DpiCase& c = GetParam();
  ParentWindow parent;
  const LayoutSize client = ScaleForDpi(kDesignClient, c.dpi);
  CreateControlRows(parent.get(), kTestRows, kDesignClient, c.dpi, client);

  EXPECT_EQ(ClassNameOf(GetDlgItem(parent.get(), kTestButton)), L"Button");
  EXPECT_EQ(ClassNameOf(GetDlgItem(parent.get(), kTestBox)), L"Edit");
  EXPECT_TRUE(GetWindowLongW(GetDlgItem(parent.get(), kTestBox), GWL_STYLE) &
              ES_MULTILINE);
  EXPECT_TRUE(GetWindowLongW(GetDlgItem(parent.get(), kTestLabel), GWL_STYLE) &
              SS_RIGHT);
  wchar_t caption[16] = {};
  GetWindowTextW(GetDlgItem(parent.get(), kTestButton), caption, 16);
  EXPECT_STREQ(caption, L"押す");
  EXPECT_EQ(parent.PlaceOf(kTestButton), ScaleForDpi(kTestRows[0].rect, c.dpi));
  EXPECT_EQ(parent.PlaceOf(kTestBox), ScaleForDpi(kTestRows[1].rect, c.dpi));

  // Forty pixels wider and twenty taller.
  PlaceControlRows(parent.get(), kTestRows, kDesignClient, c.dpi,
                   {client.width + 40, client.height + 20});
  EXPECT_EQ(parent.PlaceOf(kTestButton), c.button);
  EXPECT_EQ(parent.PlaceOf(kTestBox), c.box);
  EXPECT_EQ(parent.PlaceOf(kTestLabel), c.label);
}

INSTANTIATE_TEST_SUITE_P(
    DesignAndOneAndAHalf, ControlRowsAtDpi,
    testing::Values(
        DpiCase{96, {50, 10, 60, 20}, {10, 40, 220, 70}, {80, 10, 40, 20}},
        DpiCase{144, {55, 15, 90, 30}, {15, 60, 310, 95}, {120, 15, 60, 30}}));

TEST(ControlRows, ARefusedControlIsAFailureNotANullWindow) {
  // No parent for a child window: the system refuses it.
  EXPECT_ANY_THROW(
      CreateControl(nullptr, 1, ControlKind::PushButton, {0, 0, 10, 10}, u"x"));
}

}  // namespace

}  // namespace tavlin
