// The main window's tabs in a real tab control at the design width: the
// two standard pages keep their designed captions, and with the themes the
// release ships every tab fits, without scroll arrows.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "src/ui/main_form_layout.h"
#include "win32/forms/main_form_font_win32.h"
#include "win32/gui/control_rows_win32.h"
#include "win32/gui/tab_captions_win32.h"

namespace tavlin {

namespace {

const std::u16string kSafetyCaption = u"　安　全　標　語　";
const std::u16string kQualityCaption = u"　品　質　標　語　";

std::u16string CaptionOf(HWND tabs, int tab) {
  wchar_t text[64] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 64;
  TabCtrl_GetItem(tabs, tab, &item);
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

class TabStrip : public testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 372, 463,
                              nullptr, nullptr, nullptr, nullptr);
    tabs_ = CreateControl(parent_, kPageControl1, ControlKind::TabControl,
                          {0, 0, 372, 463}, u"");
    SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), 0);
    SendMessageW(tabs_, TCM_SETITEMSIZE, 0, MAKELPARAM(0, kTabHeight));
  }
  void TearDown() override { DestroyWindow(parent_); }
  bool LastTabFits() const {
    RECT last{}, client{};
    TabCtrl_GetItemRect(tabs_, TabCtrl_GetItemCount(tabs_) - 1, &last);
    GetClientRect(tabs_, &client);
    return last.right <= client.right;
  }

  UniqueFont font_ = CreateMainFormFont(96, FW_NORMAL);
  HWND parent_ = nullptr;
  HWND tabs_ = nullptr;
};

TEST_F(TabStrip, TwoPagesKeepTheirDesignedCaptions) {
  FitTabCaptions(tabs_, TabCaptionChoices({{kSafetyCaption, u"安全"},
                                           {kQualityCaption, u"品質"}}));
  EXPECT_EQ(CaptionOf(tabs_, 0), kSafetyCaption);
  EXPECT_EQ(CaptionOf(tabs_, 1), kQualityCaption);
  EXPECT_TRUE(LastTabFits());
}

TEST_F(TabStrip, EveryTabOfThreeThemesShowsWhole) {
  FitTabCaptions(
      tabs_, TabCaptionChoices({{kSafetyCaption, u"安全"},
                                {kQualityCaption, u"品質"},
                                {u"　交　通　安　全　標　語　", u"交通安全"}}));
  ASSERT_EQ(TabCtrl_GetItemCount(tabs_), 3);
  EXPECT_TRUE(LastTabFits());
  EXPECT_EQ(CaptionOf(tabs_, 2), u"交通安全標語");
}

}  // namespace

}  // namespace tavlin
