#include "src/app/notice_route.h"

#include <utility>

namespace tavlin {

void NoticeRoute::Tell(Notice notice) {
  if (view_)
    view_->Tell(notice);
  else
    held_.push_back(std::move(notice));
}

bool NoticeRoute::FirstTime(std::size_t page, const std::string& text) {
  return told_.emplace(page, text).second;
}

void NoticeRoute::Forget(std::size_t page) {
  std::erase_if(told_, [page](const auto& told) { return told.first == page; });
}

void NoticeRoute::WindowShows(HostView& view) {
  view_ = &view;
  const std::vector<Notice> held = std::exchange(held_, {});
  for (const Notice& notice : held) view.Tell(notice);
}

}  // namespace tavlin
