#include "win32/gui/close_saving_win32.h"

#include <string>
#include <vector>

#include "win32/gui/error_report_win32.h"

namespace tavlin {

bool AnswerListMessage(HWND window, ListSaving& lists, UINT saves_done,
                       UINT message, WPARAM w, LRESULT& result) {
  result = 0;
  if (message == saves_done) {
    // A failure of a save is reported here, as in a window procedure.
    try {
      lists.TakeSaveResults();
    } catch (...) {
      ReportCurrentException(window);
    }
    return true;
  }
  if (message != WM_QUERYENDSESSION && message != WM_ENDSESSION) return false;
  // A process that lives on after a cancelled end goes on saving as before.
  if (message == WM_QUERYENDSESSION || w)
    lists.SaveLists(SaveMoment::EndingSession);
  result = message == WM_QUERYENDSESSION ? TRUE : 0;
  return true;
}

bool CloseSaving::SaveEveryList(HWND window, ListSaving& lists) {
  if (asking_to_retry_) return false;
  std::vector<UserReport> reports;
  for (;;) {
    std::string failure;
    const ListSaving::Saved saved =
        lists.SaveLists(SaveMoment::Closing, &failure, &reports);
    if (saved == ListSaving::Saved::All) break;
    if (saved == ListSaving::Saved::Waiting) {
      lists.CloseWhenSaved();
      return false;
    }
    asking_to_retry_ = true;
    const bool retry = AskToRetry(window, failure);
    asking_to_retry_ = false;
    if (!retry) return false;
  }
  // Told once every list is saved: nothing shown stops a save.
  for (const UserReport& report : reports) ShowUserReport(window, report);
  return true;
}

}  // namespace tavlin
