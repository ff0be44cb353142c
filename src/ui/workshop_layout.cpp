#include "src/ui/workshop_layout.h"

#include <algorithm>

namespace tavlin {

namespace {

// At the design size of 96 pixels per inch.
constexpr int kEdge = 12;
constexpr int kColumnGap = 10;
constexpr int kLabelTop = 10;
constexpr int kLabelHeight = 20;
constexpr int kMarginWidth = 64;
constexpr int kButtonHeight = 28;
constexpr int kNewThemeWidth = 140;
constexpr int kCloseWidth = 90;
constexpr int kFootHeight = 24;
constexpr int kSamplesLabelWidth = 48;
constexpr int kMakeSamplesWidth = 120;

}  // namespace

namespace {

// The three columns of labels, margins and boxes, the width shared evenly
// and the last column taking what division left.
void PlaceColumns(WorkshopPlaces& places, LayoutSize client, int dpi,
                  int boxes_top, int boxes_height) {
  const auto scaled = [dpi](int length) { return ScaleForDpi(length, dpi); };
  const int edge = scaled(kEdge);
  const int gap = scaled(kColumnGap);
  const int columns_width = std::max(0, client.width - 2 * edge - 2 * gap);
  const int margin_width = scaled(kMarginWidth);
  for (std::size_t column = 0; column < 3; ++column) {
    const int left =
        edge + static_cast<int>(column) * (columns_width / 3 + gap);
    const int width =
        column == 2 ? client.width - edge - left : columns_width / 3;
    places.labels[column] = {left, scaled(kLabelTop), width,
                             scaled(kLabelHeight)};
    const int margin = std::min(margin_width, width / 3);
    places.margins[column] = {left, boxes_top, margin, boxes_height};
    places.boxes[column] = {left + margin, boxes_top,
                            std::max(0, width - margin), boxes_height};
  }
}

// The foot's buttons at the right, its line of text beside them.
void PlaceFoot(WorkshopPlaces& places, LayoutSize client, int dpi,
               int foot_top) {
  const auto scaled = [dpi](int length) { return ScaleForDpi(length, dpi); };
  const int edge = scaled(kEdge);
  const int gap = scaled(kColumnGap);
  const int button_height = scaled(kButtonHeight);
  const int close_width = scaled(kCloseWidth);
  const int new_theme_width = scaled(kNewThemeWidth);
  places.close = {client.width - edge - close_width, foot_top, close_width,
                  button_height};
  places.new_theme = {places.close.left - gap - new_theme_width, foot_top,
                      new_theme_width, button_height};
  places.foot = {edge, foot_top + (button_height - scaled(kFootHeight)) / 2,
                 std::max(0, places.new_theme.left - gap - edge),
                 scaled(kFootHeight)};
}

}  // namespace

WorkshopPlaces PlaceWorkshop(LayoutSize client, int dpi) {
  const auto scaled = [dpi](int length) { return ScaleForDpi(length, dpi); };
  const int edge = scaled(kEdge);
  const int gap = scaled(kColumnGap);
  const int button_height = scaled(kButtonHeight);
  const int foot_top = client.height - edge - button_height;
  const int boxes_top = scaled(kLabelTop) + scaled(kLabelHeight) + scaled(4);
  // The samples above the foot: five rows and the list's border.
  const int samples_height = 5 * scaled(kWorkshopSampleRowHeight) + scaled(4);
  const int samples_top = foot_top - gap - samples_height;
  const int samples_label_top = samples_top - scaled(4) - scaled(kLabelHeight);
  WorkshopPlaces places{};
  PlaceColumns(places, client, dpi, boxes_top,
               std::max(0, samples_label_top - gap - boxes_top));
  const int make_samples_width = scaled(kMakeSamplesWidth);
  const int samples_label_width = scaled(kSamplesLabelWidth);
  places.samples_label = {edge, samples_label_top, samples_label_width,
                          scaled(kLabelHeight)};
  places.samples_why = {
      edge + samples_label_width + gap, samples_label_top,
      std::max(0, client.width - 2 * edge - samples_label_width - gap),
      scaled(kLabelHeight)};
  places.make_samples = {client.width - edge - make_samples_width, samples_top,
                         make_samples_width, button_height};
  places.samples = {edge, samples_top,
                    std::max(0, places.make_samples.left - gap - edge),
                    samples_height};
  PlaceFoot(places, client, dpi, foot_top);
  return places;
}

}  // namespace tavlin
