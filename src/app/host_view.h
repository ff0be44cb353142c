// What the host asks of the window that shows it: the storage boxes' text,
// the timers that save the lists, the notices. The window implements it;
// the host never knows what a window is.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "src/app/notice.h"

namespace tavlin {

class HostView {
 public:
  virtual ~HostView() = default;

  // The text of the page's storage box; none where the box is not made yet.
  virtual std::optional<std::u16string> ListText(std::size_t page) const = 0;
  // Shows the list whole in the page's box, as loaded; false where the box
  // cannot hold all of it. A box not made yet shows nothing: it is made
  // with what the host gives it then (ListSaving::BoxMade).
  virtual bool ShowList(std::size_t page, std::u16string_view text) = 0;
  // Shows the list as it became after a merge, as an edit of the box, so
  // that the caret and the scrolling stay; its undo starts afresh. Nothing
  // where the box is not made yet.
  virtual void ShowMergedList(std::size_t page, std::u16string_view text) = 0;
  // The page's list is saved (SaveTimeCame) after ms, unless asked again.
  virtual void SaveListAfter(std::size_t page, unsigned ms) = 0;
  virtual void CancelListSave(std::size_t page) = 0;
  virtual void Tell(const Notice& notice) = 0;
  // A close put off until every list was saved may go on now.
  virtual void CloseAgain() = 0;
  // Called on the saves' own thread: their results wait to be taken up
  // (ListSaving::TakeSaveResults) on the window's.
  virtual void WakeForSaveResults() = 0;
};

}  // namespace tavlin
