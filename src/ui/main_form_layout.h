// The main window's controls as data: every position, size, anchor and
// caption at the design size, in stacking order from the top.
#pragma once

#include <string_view>

#include "src/ui/layout.h"
#include "src/ui/main_form_ids.h"

namespace tavlin {

using ControlLayout = ControlRow<MainFormControl>;

inline constexpr LayoutSize kMainFormClientSize{372, 463};
inline constexpr std::u16string_view kMainFormName = u"MainForm";
inline constexpr int kSloganRowHeight = 32;
inline constexpr int kSloganTextIndent = 2;

// Topmost first; the page control lies under everything else.
inline constexpr ControlLayout kMainFormLayout[] = {
    {kBitBtn1,
     ControlKind::PushButton,
     {12, 48, 165, 25},
     kAnchorLeft | kAnchorTop,
     u"標　語　作　成"},
    {kBitBtn2,
     ControlKind::PushButton,
     {287, 48, 75, 25},
     kAnchorTop | kAnchorRight,
     u"バージョン"},
    {kListBox1,
     ControlKind::SloganList,
     {12, 80, 350, 169},
     kAnchorLeft | kAnchorTop | kAnchorRight,
     u""},
    {kPanel1,
     ControlKind::HintPanel,
     {11, 251, 322, 17},
     kAnchorLeft | kAnchorTop,
     u"▼ダブルクリックで保管庫にコピー"},
    {kPageControl1, ControlKind::TabControl, {0, 0, 372, 463}, kAnchorAll, u""},
};

// Every page's storage box lies here, over the page control and under the
// rows above it; the pages make the boxes, each with its page's id. They
// stand on the page area, 8 left, 232 top, 6 right and 10 bottom of it,
// which lies 4 pixels in from the sides and 40 down from the top.
inline constexpr ControlLayout kStorageBoxLayout{
    kMemSafe, ControlKind::StorageBox, {12, 272, 350, 177}, kAnchorAll, u""};

// The tabs' height; their captions come with the pages.
inline constexpr int kTabHeight = 34;

// The place in the tab order where the active page's storage box stands,
// whichever page's box it is.
inline constexpr MainFormControl kActiveStorageBox = kMemSafe;
inline constexpr MainFormControl kMainFormTabOrder[] = {
    kPageControl1, kActiveStorageBox, kBitBtn1, kBitBtn2, kListBox1};

}  // namespace tavlin
