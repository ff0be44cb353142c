// What the program has to tell the user, and where it belongs: the host
// decides both, the window only shows it.
#pragma once

#include <cstddef>

#include "src/platform/messages.h"

namespace tavlin {

struct Notice {
  enum class Place {
    Window,      // over the main window: what the start or a close found
    StorageBox,  // a page's storage box, in a balloon while the user works
    SloganList,  // the list of fresh slogans, in its balloon
  };
  Place place = Place::Window;
  std::size_t page = 0;  // the page whose box it belongs to
  UserReport report;
  // Shown for a moment only, as where the list is in its history.
  bool brief = false;
  bool operator==(const Notice&) const = default;
};

}  // namespace tavlin
