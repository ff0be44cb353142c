// The phrase workshop's window as data: its controls' ids and captions,
// and where they lie at any client size: three columns side by side, each
// a caption over a margin of counts and a box of phrases, sharing the width
// evenly; under them the samples, a list of five slogans with its button;
// the scan's line and the buttons at the foot.
#pragma once

#include <array>
#include <string_view>

#include "src/ui/layout.h"

namespace tavlin {

enum WorkshopControlId : int {
  kWorkshopUpperLabel = 501,  // then its box and its margin, per column
  kWorkshopUpperBox,
  kWorkshopUpperMargin,
  kWorkshopMiddleLabel,
  kWorkshopMiddleBox,
  kWorkshopMiddleMargin,
  kWorkshopLowerLabel,
  kWorkshopLowerBox,
  kWorkshopLowerMargin,
  kWorkshopFoot,      // the share of slogans that scan, or why it is not known
  kWorkshopNewTheme,  // 新しいテーマ...
  kWorkshopClose,
  kWorkshopSamplesLabel,  // 見本, naming the list after it
  kWorkshopSamples,       // five slogans of the boxes as they stand
  kWorkshopSamplesWhy,    // why there are none, where there are none
  kWorkshopMakeSamples,   // 見本を作る
};

// The column's controls: its caption, its box and its margin.
constexpr int WorkshopLabelId(std::size_t column) {
  return kWorkshopUpperLabel + 3 * static_cast<int>(column);
}
constexpr int WorkshopBoxId(std::size_t column) {
  return WorkshopLabelId(column) + 1;
}
constexpr int WorkshopMarginId(std::size_t column) {
  return WorkshopLabelId(column) + 2;
}

inline constexpr std::u16string_view kWorkshopColumnCaptions[] = {
    u"上の句(&U)", u"中の句(&M)", u"下の句(&L)"};
inline constexpr std::u16string_view kWorkshopNewThemeCaption =
    u"新しいテーマ(&N)...";
inline constexpr std::u16string_view kWorkshopCloseCaption = u"閉じる";
inline constexpr std::u16string_view kWorkshopSamplesCaption = u"見本";
inline constexpr std::u16string_view kWorkshopMakeSamplesCaption =
    u"見本を作る(&S)";
// "語句の編集 - 安全"
inline constexpr std::u16string_view kWorkshopTitle = u"語句の編集 - ";

inline constexpr LayoutSize kWorkshopClientSize{780, 640};
// The samples' rows, lower than the main window's: five show at once.
inline constexpr int kWorkshopSampleRowHeight = 20;

// Its timers: the balloon's, then one for each file's save.
inline constexpr int kWorkshopBalloonTimer = 900;
inline constexpr int kFirstWorkshopSaveTimer = 901;
// Saves beside the window have results for it (WM_APP + 1).
inline constexpr unsigned kWorkshopSaveDoneMessage = 0x8000 + 1;

struct WorkshopPlaces {
  std::array<LayoutRect, 3> labels;
  std::array<LayoutRect, 3> margins;
  std::array<LayoutRect, 3> boxes;
  LayoutRect samples_label;
  LayoutRect samples;
  LayoutRect samples_why;
  LayoutRect make_samples;
  LayoutRect foot;
  LayoutRect new_theme;
  LayoutRect close;
};

// Where everything lies in a client area of that size at dpi.
WorkshopPlaces PlaceWorkshop(LayoutSize client, int dpi);

}  // namespace tavlin
