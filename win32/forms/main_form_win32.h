// The main window: the theme pages, the generate and version buttons, the
// list of fresh slogans and each theme's storage list. The host decides;
// the slogan list and the storage boxes are rooms of their own that show
// what it says. The window creates them, lays them out, turns each click,
// key and menu item into a command for the host (one dispatcher), and
// shows what the host tells it (main_form_view_win32.cpp).
#pragma once

#include <windows.h>

#include <optional>

#include "src/app/main_host.h"
#include "src/app/main_view.h"
#include "src/ui/command_table.h"
#include "src/ui/layout.h"
#include "src/ui/tab_captions.h"
#include "win32/forms/slogan_list_win32.h"
#include "win32/forms/storage_boxes_win32.h"
#include "win32/gui/close_saving_win32.h"
#include "win32/gui/window_win32.h"
#include "win32/system/com_apartment_win32.h"
#include "win32/system/folder_watch_win32.h"
#include "win32/system/shift_jis_codec_win32.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

class TMainForm final : public Window, private MainView {
 public:
  // Creates the window hidden and runs FormCreate.
  TMainForm();
  ~TMainForm() override { DestroyNow(); }

  // Shows the window centred on the desktop, as the program was asked to
  // show (maximised or minimised from a shortcut, for instance).
  void Show(int show_command);

  // The keyboard work that a dialog box would do: Tab and Shift+Tab in tab
  // order, Ctrl+Tab between pages, Enter on a button, and the slogan list's
  // keys. True when the message was used up. A failure is reported here,
  // as in a window procedure, and the program goes on.
  bool PreTranslateMessage(const MSG& message);

 private:
  // What the host asks of the window (main_form_view_win32.cpp).
  std::optional<std::u16string> ListText(std::size_t page) const override;
  bool ShowList(std::size_t page, std::u16string_view text) override;
  void ShowMergedList(std::size_t page, std::u16string_view text) override;
  void SaveListAfter(std::size_t page, unsigned ms) override;
  void CancelListSave(std::size_t page) override;
  void Tell(const Notice& notice) override;
  void CloseAgain() override;
  void WakeForSaveResults() override;
  bool ShowPage(std::size_t page) override;
  void PageAdded(std::size_t page) override;
  void ShowRows(const SloganRows& rows) override;
  void RedrawRows() override;
  void EnableGenerate(bool enabled) override;
  std::u16string LineAtCaret(std::size_t page) const override;
  void EditList(std::size_t page, const ListEdit& edit) override;
  void RunTextBoxCommand(std::size_t page, int command) override;
  void CopyText(std::u16string_view text) override;
  void ShowPoster(std::u16string_view theme,
                  std::u16string_view slogan) override;
  void ShowInfo(std::string_view rhythm_line) override;
  void OpenWorkshop(const WorkshopAsked& asked) override;
  std::optional<std::filesystem::path> ExportVoteSheet(
      const VoteSheetAsked& asked) override;
  void TallyVotes(const VoteTallyAsked& asked) override;
  std::vector<std::u16string> PickRemovedLines(
      std::u16string_view theme,
      const std::vector<RemovedLine>& lines) override;

  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override;
  void EnterComApartment();
  void OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(const NMHDR& header) override;
  void OnTimer(UINT_PTR id) override;
  bool OnContextMenu(HWND window, POINT at) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  bool OnMeasureItem(MEASUREITEMSTRUCT& item) override;
  void OnDpiChanged(const RECT& suggested) override;

  void FormCreate();
  // What waits until the window shows: the cleanup of interrupted saves,
  // the start's reports, the rhythm meter.
  void AfterShowing(UINT message);
  // What was typed goes to disk before the user turns elsewhere.
  void OnDeactivate();
  // Watches the folders of the lists' files, so that another writer's
  // change shows while the window does; again after a page is added.
  void WatchListFolders();
  // A watched folder changed: its lists look whether another writer
  // changed them.
  void OnListFolderChanged();
  void CloseAfterSaving();
  void OnDestroy();
  void FormDestroy();
  // The one way a command reaches the host: menu items, keys and buttons,
  // with the list's selected row.
  void Dispatch(int command);
  // The tabs' caption sets for the pages there are now.
  void MakeTabCaptions();

  void CreateControls();
  void ApplyFont();
  void ApplyLayout();
  // Where the storage box of the active page lies now.
  LayoutRect StorageBoxPlace() const;

  bool HandleKey(const MSG& message);
  // Where the keyboard focus is, as the command table's keys name it.
  FocusPlace FocusOf(HWND focus) const;
  void MoveFocus(bool backwards);
  HWND Control(int id) const { return GetDlgItem(hwnd(), id); }

  // The client size and DPI a placement of the controls is made for.
  struct LayoutKey {
    LayoutSize client{0, 0};
    int dpi = 0;
    bool operator==(const LayoutKey&) const = default;
  };
  LayoutKey CurrentLayoutKey() const;

  // COM for this thread, entered once the window shows or at the first
  // command, whichever comes first; left when every window has gone.
  std::optional<ComApartment> com_;
  UniqueFont font_;
  ShiftJisCodec shift_jis_;
  // The pages whole: phrases, holds, histories, storage lists, notices.
  std::optional<MainHost> host_;
  std::optional<SloganList> slogans_;
  std::optional<StorageBoxes> boxes_;
  // The folders of the lists' files; it ends before the host it tells.
  FolderWatch list_watch_;
  HWND last_focus_ = nullptr;
  bool created_ = false;  // WM_CREATE ran to its end
  bool saved_at_close_ = false;
  CloseSaving close_saving_;
  LayoutKey laid_out_;  // what the controls are placed for
  // The tabs' captions, widest first: the first set that fits shows.
  std::vector<TabCaptionSet> tab_captions_;
};

}  // namespace tavlin
