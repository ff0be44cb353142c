// Layout as data: controls placed at a design size of 96 pixels per inch,
// scaled for the screen, and kept at their anchored edges when the window
// is resized.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavlin {

struct LayoutSize {
  int width;
  int height;
  bool operator==(const LayoutSize&) const = default;
};

struct LayoutRect {
  int left;
  int top;
  int width;
  int height;
  bool operator==(const LayoutRect&) const = default;
};

enum Anchor : unsigned {
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
  kAnchorAll = 15,
};

// One control of a window's layout table: its id, its kind, where it lies
// in the client area at the design size, its anchors and its caption.
template <typename Id, typename Kind>
struct ControlRow {
  Id id;
  Kind kind;
  LayoutRect rect;  // at 96 pixels per inch
  unsigned anchors;
  std::u16string_view caption;
};

inline constexpr int kDesignDpi = 96;

// A design length at dpi pixels per inch, rounded to the nearest pixel.
int ScaleForDpi(int length, int dpi);
LayoutRect ScaleForDpi(const LayoutRect& rect, int dpi);
LayoutSize ScaleForDpi(const LayoutSize& size, int dpi);

// Where a control goes in a parent of a new size: an edge anchored to a
// side keeps its distance to that side; anchored to both sides, the control
// stretches; anchored to neither, it keeps its place.
LayoutRect AnchoredRect(const LayoutRect& designed, LayoutSize designed_parent,
                        LayoutSize parent, unsigned anchors);

// Where a control designed in a parent of designed_parent, both at the
// design DPI, lies in a client area of a window shown at dpi.
LayoutRect PlacedRect(const LayoutRect& designed, LayoutSize designed_parent,
                      int dpi, LayoutSize client, unsigned anchors);

// The largest rectangle of the proportions of shape that room holds,
// centred in it: a page on the screen or on a printer's paper.
LayoutRect FitCentred(LayoutSize shape, const LayoutRect& room);

}  // namespace tavlin
