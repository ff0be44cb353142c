// The theme pages' storage lists, as the main window shows them: each
// page's list, the places of its file and the box that shows it; loading at
// start, saving as the user works, the cleanup of interrupted saves,
// storing a slogan, and each box's context menu. The one place of the
// window side that reads and writes storage lists.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "src/app/page_spec.h"
#include "src/app/save_worker.h"
#include "src/rhythm/mora_meter.h"
#include "src/storage/storage_places.h"
#include "src/storage/storage_save.h"
#include "src/storage/storage_start.h"
#include "src/ui/layout.h"
#include "src/ui/storage_menu.h"
#include "win32/gui/balloon_tip_win32.h"

namespace tavlin {

class StoragePages {
 public:
  // One page for each entry of the list of pages; the boxes of the pages
  // made at the start lie at where, the others' are made when their pages
  // first show.
  StoragePages(HWND form, std::vector<PageSpec> entries,
               const LayoutRect& where);
  StoragePages(const StoragePages&) = delete;
  StoragePages& operator=(const StoragePages&) = delete;

  std::size_t Count() const { return pages_.size(); }
  const std::u16string& Theme(std::size_t page) const;
  const PageSpec& Entry(std::size_t page) const;

  // Loads every page's list, each even when one before it failed: a list
  // that failed to load is kept from overwriting its file.
  void LoadAll();
  // Shows report over the window at once where it shows, else once it
  // does (TellLoadReports): never in a message box before it appears.
  void Tell(UserReport report);
  void TellLoadReports();
  // Removes what interrupted saves of earlier sessions left beside the
  // storage files.
  void RemoveStaleSaves();
  // Saves the lists that changed, or every list when closing or when
  // Windows ends. Nothing here waits for the user: while working, what a
  // save has to tell shows in a balloon, and a list that cannot be saved
  // now is tried again by timer; at other moments it goes to reports.
  enum class Saved {
    All,      // every list is where it belongs, or safe elsewhere
    Waiting,  // another copy holds a list's lock: tried again shortly
    Failed,   // failure names the list and the reason
  };
  Saved SaveAll(SaveMoment moment, std::string* failure = nullptr,
                std::vector<UserReport>* reports = nullptr);
  // A close put off while another copy holds a lock: the window is asked
  // to close again once every list is saved.
  void CloseWhenSaved() { close_asked_ = true; }
  // Saves the active page's list now, as after a store.
  void SaveActive();
  // A box's text changed: its list is saved after a pause in typing.
  void OnBoxChanged(HWND box);
  // The timers the pages set on the window; false for other timers.
  bool OnTimer(UINT_PTR id);
  // The saves beside the window woke the window: their results are taken
  // up.
  void TakeSaveResults() { worker_.TakeResults(); }

  // Shows the page's box, made at where with font the first time, and
  // hides the others.
  void Activate(std::size_t page, const LayoutRect& where, HFONT font);
  std::size_t Active() const { return active_; }
  const std::u16string& ActiveTheme() const { return Theme(active_); }
  HWND ActiveBox() const { return pages_[active_].box; }
  bool IsStorageBox(HWND window) const;
  // The boxes made so far, which all lie in one place.
  std::vector<HWND> Boxes() const;

  // Stores the slogan in the active page's list as edits of its box, so
  // that the box keeps its undo.
  void StoreSlogan(std::wstring_view slogan);
  // The command of a box's context menu, for the active page's box.
  void RunMenuCommand(int command);
  // The rhythm meter the vote sheet counts with, once it is loaded.
  void UseMeter(const MoraMeter* meter) { meter_ = meter; }

 private:
  struct Page {
    PageSpec entry;
    HWND box = nullptr;
    StorageFileState file;
    std::wstring shown_at_load;  // the box's text as loaded
    bool changed = false;        // typed into since its last save
    bool locked = false;         // its last save found another copy's lock
    std::string told_failure;    // told in a balloon while working
    // Its save runs beside the window: its file state is the worker's
    // until the result is taken up. Another save waits for that one.
    bool saving = false;
    bool save_again = false;
    // Lines another program deleted from the file, for the user to put
    // back this session.
    std::vector<std::u16string> removed;
  };

  void Load(Page& page, const StorageLocation& location);
  void ShowLoadedText(Page& page);
  // Empties a list whose text could not be shown; its file is then merged
  // with, never written over.
  void DropLoadedText(Page& page);
  // The text the page's list holds now: its box's, or as loaded.
  std::u16string TextOf(const Page& page) const;
  // Saves the page's list: while working beside the window (the result is
  // Done while it runs), at other moments at once, after the saves under
  // way.
  SaveOutcome::Result Save(Page& page, SaveMoment moment,
                           std::vector<UserReport>* reports);
  void SaveBesideTheWindow(Page& page);
  // Takes up what a save found: the box shows what the list became, with
  // anything typed since the text was sent merged over it; the page is
  // tried again as the result says; what it has to tell is told.
  SaveOutcome::Result TakeUp(Page& page, std::u16string_view sent,
                             SaveOutcome outcome, SaveMoment moment,
                             std::vector<UserReport>* reports);
  // A close put off by another copy's lock goes on once no list waits.
  void CloseIfNothingWaits();
  // Tells what a save while working has to tell, without a message box.
  void TellInBalloon(const Page& page, const std::vector<UserReport>& told);
  void ShowBalloon(HWND box, const std::wstring& text);
  // Shows the list after a merge, as an edit of the box, so that its caret
  // and scrolling stay; its undo starts afresh.
  void ShowMerged(Page& page, const std::u16string& text, std::size_t taken_in);
  std::size_t IndexOf(const Page& page) const;
  void MakeBox(Page& page, const LayoutRect& where, HFONT font);
  void Watch(HWND box);

  // The box's context menu (storage_box_menu_win32.cpp).
  static LRESULT CALLBACK BoxProcedure(HWND box, UINT message, WPARAM w,
                                       LPARAM l, UINT_PTR id, DWORD_PTR pages);
  void ShowMenu(HWND box, POINT at);
  // text is the box's text, read once for the whole menu: a storage list
  // can be megabytes long.
  bool MenuItemEnabled(HWND box, std::wstring_view text,
                       StorageMenuNeed need) const;
  // Appends the lines another program deleted to the active page's box.
  void RestoreRemovedLines();
  // The line of text, the box's text, that the caret stands on.
  static std::u16string LineAtCaret(HWND box, std::wstring_view text);

  HWND form_;
  std::vector<Page> pages_;               // in tab order
  std::vector<UserReport> load_reports_;  // found before the window showed
  std::size_t active_ = 0;
  bool close_asked_ = false;
  bool showing_merge_ = false;  // the box changes, but not by the user
  BalloonTip balloon_;
  const MoraMeter* meter_ = nullptr;
  // Last: it ends, having finished its saves, before the pages go.
  SaveWorker worker_;
};

}  // namespace tavlin
