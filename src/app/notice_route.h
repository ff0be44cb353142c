// The one way notices reach the user: held until the window shows, then
// handed to it; and the one place that knows what was told already, so
// that a list that keeps failing, or keeps going to the same side file,
// is told so once.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "src/app/host_view.h"
#include "src/app/notice.h"

namespace tavlin {

class NoticeRoute {
 public:
  // Shows notice once the window shows (WindowShows), at once after.
  void Tell(Notice notice);
  // False where the page's report with this text was told already, since
  // the page's list last reached its own file; true, and noted, otherwise.
  bool FirstTime(std::size_t page, const std::string& text);
  // The page's list reached its own file: what was told of it may be told
  // again.
  void Forget(std::size_t page);
  // The window shows: what was held goes to it, in its order.
  void WindowShows(HostView& view);

 private:
  HostView* view_ = nullptr;
  std::vector<Notice> held_;
  std::set<std::pair<std::size_t, std::string>> told_;
};

}  // namespace tavlin
