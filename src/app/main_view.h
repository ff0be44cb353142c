// What the main window's host asks of the window that shows it, beyond
// the storage boxes' text and timers: the page in view, its rows, the
// edits of its box, and the windows of their own it opens. The window
// turns a user's act into a command for the host and shows what the host
// tells it here; it changes none of the host's state itself.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/app/host_view.h"
#include "src/app/removed_lines.h"
#include "src/app/window_asks.h"
#include "src/slogan/slogan_row.h"
#include "src/storage/store_rule.h"

namespace tavlin {

using ListEdit = BasicStorageEdit<char16_t>;

class MainView : public HostView {
 public:
  // The page is the one in view: its tab chosen, its storage box shown,
  // and made where it was not (true then: it shows the list from now on).
  virtual bool ShowPage(std::size_t page) = 0;
  // A page made while the program runs, last in tab order.
  virtual void PageAdded(std::size_t page) = 0;
  // The rows of the page in view: a new generation, or one of its history.
  virtual void ShowRows(const SloganRows& rows) = 0;
  // The rows show again as they are: their holds changed, or their
  // figures (the rhythm meter loaded).
  virtual void RedrawRows() = 0;
  virtual void EnableGenerate(bool enabled) = 0;

  // The line under the caret in the page's box.
  virtual std::u16string LineAtCaret(std::size_t page) const = 0;
  // Edits the page's box as typing would, so that the user can undo it:
  // the line removed where edit says so, then its text appended. The host
  // made the edit and is not told of it again as typing.
  virtual void EditList(std::size_t page, const ListEdit& edit) = 0;
  // One of the box's own items: undo, cut, copy, paste, delete, select all.
  virtual void RunTextBoxCommand(std::size_t page, int command) = 0;
  virtual void CopyText(std::u16string_view text) = 0;

  // Windows of their own; each returns once it has closed.
  virtual void ShowPoster(std::u16string_view theme,
                          std::u16string_view slogan) = 0;
  // rhythm_line: why the meter counts nothing, in UTF-8; empty where it does.
  virtual void ShowInfo(std::string_view rhythm_line) = 0;
  virtual void OpenWorkshop(const WorkshopAsked& asked) = 0;
  // The sheet written, or none where the user chose no file.
  virtual std::optional<std::filesystem::path> ExportVoteSheet(
      const VoteSheetAsked& asked) = 0;
  virtual void TallyVotes(const VoteTallyAsked& asked) = 0;
  // The lines the user chose to put back.
  virtual std::vector<std::u16string> PickRemovedLines(
      std::u16string_view theme, const std::vector<RemovedLine>& lines) = 0;
};

}  // namespace tavlin
