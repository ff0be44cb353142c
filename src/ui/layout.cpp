#include "src/ui/layout.h"

#include <algorithm>

namespace tavlin {

namespace {

// One axis of AnchoredRect: the start and length along it.
void Anchor1D(int& start, int& length, int designed_parent, int parent,
              bool near, bool far) {
  const int far_gap = designed_parent - (start + length);
  if (near && far) {
    length = parent - far_gap - start;
    if (length < 0) length = 0;
  } else if (far) {
    start = parent - far_gap - length;
  }
}

}  // namespace

int ScaleForDpi(int length, int dpi) {
  const std::int64_t scaled =
      static_cast<std::int64_t>(length) * dpi + (length >= 0 ? 48 : -48);
  return static_cast<int>(scaled / kDesignDpi);
}

LayoutRect ScaleForDpi(const LayoutRect& rect, int dpi) {
  return {ScaleForDpi(rect.left, dpi), ScaleForDpi(rect.top, dpi),
          ScaleForDpi(rect.width, dpi), ScaleForDpi(rect.height, dpi)};
}

LayoutSize ScaleForDpi(const LayoutSize& size, int dpi) {
  return {ScaleForDpi(size.width, dpi), ScaleForDpi(size.height, dpi)};
}

LayoutRect AnchoredRect(const LayoutRect& designed, LayoutSize designed_parent,
                        LayoutSize parent, unsigned anchors) {
  LayoutRect rect = designed;
  Anchor1D(rect.left, rect.width, designed_parent.width, parent.width,
           (anchors & kAnchorLeft) != 0, (anchors & kAnchorRight) != 0);
  Anchor1D(rect.top, rect.height, designed_parent.height, parent.height,
           (anchors & kAnchorTop) != 0, (anchors & kAnchorBottom) != 0);
  return rect;
}

LayoutRect PlacedRect(const LayoutRect& designed, LayoutSize designed_parent,
                      int dpi, LayoutSize client, unsigned anchors) {
  return AnchoredRect(ScaleForDpi(designed, dpi),
                      ScaleForDpi(designed_parent, dpi), client, anchors);
}

LayoutRect FitCentred(LayoutSize shape, const LayoutRect& room) {
  if (shape.width <= 0 || shape.height <= 0) return {room.left, room.top, 0, 0};
  int width = room.width;
  auto height = static_cast<int>(static_cast<std::int64_t>(width) *
                                 shape.height / shape.width);
  if (height > room.height) {
    height = room.height;
    width = static_cast<int>(static_cast<std::int64_t>(height) * shape.width /
                             shape.height);
  }
  width = std::max(width, 0);
  height = std::max(height, 0);
  return {room.left + (room.width - width) / 2,
          room.top + (room.height - height) / 2, width, height};
}

}  // namespace tavlin
