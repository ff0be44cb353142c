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

// The kinds of standard control the program's windows are built of, each
// with the look its role asks for.
enum class ControlKind {
  TabControl,
  PushButton,
  SloganList,    // a list box whose rows the program draws
  HintPanel,     // a static text, centred both ways
  StorageBox,    // a multi-line text box with both scroll bars
  RightLabel,    // a static text, right-aligned: a field's caption
  LineEdit,      // a one-line text box
  DropDownList,  // a combo box to choose from, with no text of its own
  TextLabel,     // a static text on one line, left-aligned
  IconImage,     // a static that shows an icon
  FieldLabel,    // a static text, left-aligned, whose & marks an access key
  PhraseBox,     // a multi-line text box with both scroll bars, shown
  CountMargin,   // a static text of several lines beside a box, right-aligned
  PickList,      // a list box of text lines, several of them chosen at once
  ReportList,    // a list view of rows and columns under headings, one chosen
  NoteList,      // a list box of text lines to read through
};

// One control of a window's layout table: its id, its kind, where it lies
// in the client area at the design size, its anchors and its caption.
template <typename Id>
struct ControlRow {
  Id id;
  ControlKind kind;
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
