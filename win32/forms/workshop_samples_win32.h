// The phrase workshop's samples: five slogans of its boxes as they stand,
// in a list box that screen readers read, each drawn as the main window
// draws its rows; choosing one selects its three lines in their boxes.
#pragma once

#include <windows.h>

#include <array>

#include "src/ui/workshop_layout.h"
#include "src/workshop/workshop_samples.h"

namespace tavlin {

class WorkshopSampleList final {
 public:
  // Its controls in form, after the boxes: the caption that names the
  // list, the list, the line that says why there are none, and 見本を作る.
  void Create(HWND form, const WorkshopPlaces& places, int dpi);
  void Place(const WorkshopPlaces& places) const;
  // The window's font at dpi, and rows high enough for it.
  void UseFont(HFONT font, int dpi);

  // The list is filled again only where the samples changed, so that the
  // one chosen stays chosen while its lines are mended.
  void Show(WorkshopSamples samples);
  // The chosen sample's lines selected in boxes, each scrolled to its line.
  void SelectChosenLines(const std::array<HWND, kPhrasePlaces>& boxes) const;

  bool Measure(MEASUREITEMSTRUCT& item) const;
  bool Draw(const DRAWITEMSTRUCT& item) const;
  HWND list() const { return list_; }

 private:
  HWND list_ = nullptr;
  HWND why_ = nullptr;
  WorkshopSamples shown_;
  HFONT font_ = nullptr;
  int dpi_ = kDesignDpi;
};

}  // namespace tavlin
