// The poster window as data: its controls at the design size of 96 dots per
// inch, with their anchors, and the area where the page is previewed.
#pragma once

#include <string_view>

#include "src/ui/common_captions.h"
#include "src/ui/layout.h"

namespace tavlin {

enum PosterControlId : int {
  kPosterFooterLabel = 401,
  kPosterFooter,
  kPosterFace,
  kPosterSave,
  kPosterPrint,
  kPosterCopy,
  kPosterClose,
};

using PosterControl = ControlRow<PosterControlId>;

inline constexpr LayoutSize kPosterFormClientSize{460, 640};

// In tab order.
inline constexpr PosterControl kPosterFormLayout[] = {
    {kPosterFooterLabel,
     ControlKind::RightLabel,
     {12, 15, 64, 20},
     kAnchorLeft | kAnchorTop,
     u"下の行(&F):"},
    {kPosterFooter,
     ControlKind::LineEdit,
     {80, 11, 226, 24},
     kAnchorLeft | kAnchorTop | kAnchorRight,
     u""},
    {kPosterFace,
     ControlKind::DropDownList,
     {316, 11, 132, 200},
     kAnchorTop | kAnchorRight,
     u""},
    {kPosterSave,
     ControlKind::PushButton,
     {12, 600, 100, 28},
     kAnchorLeft | kAnchorBottom,
     u"保存(&S)..."},
    {kPosterPrint,
     ControlKind::PushButton,
     {118, 600, 100, 28},
     kAnchorLeft | kAnchorBottom,
     u"印刷(&P)..."},
    {kPosterCopy,
     ControlKind::PushButton,
     {224, 600, 100, 28},
     kAnchorLeft | kAnchorBottom,
     kCopyCaption},
    {kPosterClose,
     ControlKind::PushButton,
     {348, 600, 100, 28},
     kAnchorRight | kAnchorBottom,
     u"閉じる"},
};

// Where the page is shown, scaled to fit, with the window.
inline constexpr LayoutRect kPosterPreviewArea{12, 46, 436, 544};

// The faces to choose from, in the order of the list; the first is taken
// when the window opens.
inline constexpr std::u16string_view kPosterFaceNames[] = {u"明朝体",
                                                           u"ゴシック体"};

}  // namespace tavlin
