// The poster window as data: its controls at the design size of 96 dots per
// inch, with their anchors, and the area where the page is previewed.
#pragma once

#include <string_view>

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

enum class PosterControlKind { Label, Edit, FaceList, Button };

using PosterControl = ControlRow<PosterControlId, PosterControlKind>;

inline constexpr LayoutSize kPosterFormClientSize{460, 640};

// In tab order.
inline constexpr PosterControl kPosterFormLayout[] = {
    {kPosterFooterLabel,
     PosterControlKind::Label,
     {12, 15, 64, 20},
     kAnchorLeft | kAnchorTop,
     u"下の行(&F):"},
    {kPosterFooter,
     PosterControlKind::Edit,
     {80, 11, 226, 24},
     kAnchorLeft | kAnchorTop | kAnchorRight,
     u""},
    {kPosterFace,
     PosterControlKind::FaceList,
     {316, 11, 132, 200},
     kAnchorTop | kAnchorRight,
     u""},
    {kPosterSave,
     PosterControlKind::Button,
     {12, 600, 100, 28},
     kAnchorLeft | kAnchorBottom,
     u"保存(&S)..."},
    {kPosterPrint,
     PosterControlKind::Button,
     {118, 600, 100, 28},
     kAnchorLeft | kAnchorBottom,
     u"印刷(&P)..."},
    {kPosterCopy,
     PosterControlKind::Button,
     {224, 600, 100, 28},
     kAnchorLeft | kAnchorBottom,
     u"コピー(&C)"},
    {kPosterClose,
     PosterControlKind::Button,
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
