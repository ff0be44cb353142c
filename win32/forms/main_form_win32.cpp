#include "win32/forms/main_form_win32.h"

#include <commctrl.h>
#include <imm.h>

#include "src/platform/messages.h"
#include "src/ui/main_form_layout.h"
#include "win32/forms/main_form_font_win32.h"
#include "win32/forms/main_form_panel_win32.h"
#include "win32/gui/control_rows_win32.h"
#include "win32/gui/error_report_win32.h"
#include "win32/gui/tab_captions_win32.h"
#include "win32/gui/window_bounds_win32.h"
#include "win32/gui/window_caption_win32.h"
#include "win32/system/known_folder_win32.h"
#include "win32/system/running_program_win32.h"
#include "win32/system/slogan_match_win32.h"

namespace tavlin {

namespace {

constexpr wchar_t kClassName[] = L"TavlinMainForm";
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
static_assert(kWindowsAppMessage == WM_APP);

// The Japanese input method on, in hiragana mode; nothing where there is
// none.
void SwitchInputMethodToHiragana(HWND window) {
  HIMC context = ImmGetContext(window);
  if (!context) return;
  ImmSetOpenStatus(context, TRUE);
  DWORD conversion = 0;
  DWORD sentence = 0;
  ImmGetConversionStatus(context, &conversion, &sentence);
  conversion = (conversion & ~(IME_CMODE_KATAKANA | IME_CMODE_ALPHANUMERIC)) |
               IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
  ImmSetConversionStatus(context, conversion, sentence);
  ImmReleaseContext(window, context);
}

}  // namespace

TMainForm::TMainForm() {
  RegisterWindowClass(
      kClassName, L"MAINICON",
      reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  // Every page, its tab and its storage box, from the one list of pages.
  const std::filesystem::path executable = RunningExecutablePath();
  host_.emplace(PagesOf(executable), executable.parent_path(), shift_jis_,
                SlogansMatchText);
  // Created where it shows: every move of a window costs the system a
  // round trip, and the start is the user's whole wait.
  Create(kClassName, kWindowStyle, 0,
         CentredWindowBounds(ScaleForDpi(kMainFormClientSize, SystemDpi()),
                             kWindowStyle, 0),
         nullptr);
}

void TMainForm::Show(int show_command) {
  // COM costs the start the loading of its libraries and the apartment,
  // and only what the user asks for uses it: the shell's links, the
  // picture encoder.
  PostMessageW(hwnd(), kEnterComMessage, 0, 0);
  // Handled once the window is painted, and before anything posted to the
  // window after it shows: a close at once still finds the start complete.
  PostMessageW(hwnd(), kRemoveStaleSavesMessage, 0, 0);
  // What the start found to tell shows over the window, not before it.
  PostMessageW(hwnd(), kTellStartReportsMessage, 0, 0);
  // The rhythm meter's dictionary is read once the first slogans show, so
  // that the start does not wait for it.
  PostMessageW(hwnd(), kLoadReadingsMessage, 0, 0);
  ShowWindow(hwnd(), show_command);
  UpdateWindow(hwnd());
  if (show_command != SW_SHOWMINNOACTIVE && show_command != SW_SHOWMINIMIZED)
    SetFocus(Control(kPageControl1));
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  LRESULT result = 0;
  // Every list is saved, or set aside, when Windows ends, whatever shows.
  if (created_ &&
      AnswerListMessage(hwnd(), *host_, kSaveDoneMessage, message, w, result))
    return result;
  switch (message) {
    case WM_CREATE:
      CreateControls();
      FormCreate();
      created_ = true;
      return 0;
    case WM_SIZE:
      ApplyLayout();
      return 0;
    case kEnterComMessage:
      EnterComApartment();
      return 0;
    case kListFolderChangedMessage:
      OnListFolderChanged();
      return 0;
    case kRemoveStaleSavesMessage:
    case kTellStartReportsMessage:
    case kLoadReadingsMessage:
      AfterShowing(message);
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(l) == Control(kPanel1))
        return PanelColours(reinterpret_cast<HDC>(w));
      break;
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) OnDeactivate();
      break;
    case WM_SETFOCUS:
      SetFocus(last_focus_ && IsWindowVisible(last_focus_)
                   ? last_focus_
                   : Control(kPageControl1));
      return 0;
    case WM_CLOSE:
      CloseAfterSaving();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
  }
  return Window::HandleMessage(message, w, l);
}

void TMainForm::AfterShowing(UINT message) {
  if (!host_) return;
  switch (message) {
    case kRemoveStaleSavesMessage:
      host_->RemoveStaleSaves();
      WatchListFolders();
      break;
    case kTellStartReportsMessage:
      host_->WindowShows();
      break;
    case kLoadReadingsMessage:
      host_->LoadMeter();
      break;
  }
}

void TMainForm::OnDeactivate() {
  HWND focus = GetFocus();
  if (focus && IsChild(hwnd(), focus)) last_focus_ = focus;
  // What was typed is on disk before the user turns elsewhere.
  if (host_) host_->SaveLists(SaveMoment::WhileWorking);
}

void TMainForm::WatchListFolders() {
  list_watch_.Watch(host_->ListFiles(), hwnd(), kListFolderChangedMessage);
  // A writer may have come between the reading of the lists and the watch.
  for (std::size_t page = 0; page < host_->PageCount(); ++page)
    host_->ListChangedOnDisk(page);
}

void TMainForm::OnListFolderChanged() {
  host_->FoldersChanged(list_watch_.TakeChanged());
}

void TMainForm::OnDestroy() {
  // Nothing more is taken in once the window goes.
  list_watch_.Stop();
  // Ends the program even when saving fails. A window whose creation
  // failed ends nothing: its creator reports the failure.
  try {
    FormDestroy();
  } catch (...) {
    ReportCurrentException(nullptr);
  }
  if (created_) PostQuitMessage(0);
}

bool TMainForm::OnMeasureItem(MEASUREITEMSTRUCT& item) {
  if (item.CtlID != kListBox1) return false;
  item.itemHeight = static_cast<UINT>(ScaleForDpi(kSloganRowHeight, dpi()));
  return true;
}

bool TMainForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID != kListBox1 || !slogans_) return false;
  slogans_->Draw(item);
  return true;
}

bool TMainForm::OnContextMenu(HWND window, POINT at) {
  if (window != Control(kListBox1) || !slogans_) return false;
  slogans_->ShowMenu(hwnd(), at);
  return true;
}

void TMainForm::OnTimer(UINT_PTR id) {
  if (id == kHistoryBalloonTimer && slogans_) {
    KillTimer(hwnd(), id);
    slogans_->HideBalloon();
    return;
  }
  if (!boxes_) return;
  if (const std::optional<std::size_t> page = boxes_->OnTimer(id))
    host_->SaveTimeCame(*page);
}

void TMainForm::EnterComApartment() {
  if (!com_) com_.emplace();
}

void TMainForm::OnCommand(int id, int code, HWND control) {
  // A command sent before the window's first messages were taken still
  // finds COM for what it opens.
  if (!control || code == BN_CLICKED) EnterComApartment();
  if (!host_ || !boxes_) return;
  if (boxes_->IsStorageBox(control)) {
    if (code == EN_SETFOCUS) SwitchInputMethodToHiragana(control);
    if (code == EN_CHANGE)
      if (const std::optional<std::size_t> page = boxes_->TypedBy(control))
        host_->ListTyped(*page);
    return;
  }
  // A menu item, a button's click, a double-click on the list.
  if (id == kListBox1 && code == LBN_DBLCLK) id = kMenuStore;
  if (!control || code == BN_CLICKED || id == kMenuStore) Dispatch(id);
}

void TMainForm::Dispatch(int command) {
  if (host_ && slogans_ && CommandOf(command))
    host_->Run(command, slogans_->SelectedRow());
}

LRESULT TMainForm::OnNotify(const NMHDR& header) {
  if (header.idFrom == kPageControl1 && header.code == TCN_SELCHANGE) {
    const LRESULT page =
        SendMessageW(Control(kPageControl1), TCM_GETCURSEL, 0, 0);
    host_->ChoosePage(page < 0 ? 0 : static_cast<std::size_t>(page));
  }
  return 0;
}

void TMainForm::CreateControls() {
  laid_out_ = CurrentLayoutKey();
  CreateControlRows(hwnd(), kMainFormLayout, kMainFormClientSize, laid_out_.dpi,
                    laid_out_.client);
  host_->Attach(*this);
  host_->UseSeeds([] { return static_cast<std::uint32_t>(GetTickCount()); });
  boxes_.emplace(hwnd(), *host_, StorageBoxPlace());
  slogans_.emplace(Control(kListBox1), *host_);
  MakeTabCaptions();
  ApplyFont();
  SendMessageW(Control(kPageControl1), TCM_SETCURSEL, 0, 0);
}

void TMainForm::ApplyFont() {
  font_ = CreateMainFormFont(dpi(), FW_NORMAL);
  slogans_->UseFont(font_.get(), dpi());
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), 0);
  // Redrawn only when the window shows already (a change of DPI); at the
  // start the first painting is still ahead.
  const BOOL redraw = IsWindowVisible(hwnd());
  std::vector<HWND> controls = boxes_->Boxes();
  for (const ControlLayout& layout : kMainFormLayout)
    controls.push_back(Control(layout.id));
  for (HWND control : controls)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()),
                 redraw);
  SendMessageW(Control(kPageControl1), TCM_SETITEMSIZE, 0,
               MAKELPARAM(0, ScaleForDpi(kTabHeight, dpi())));
  FitTabCaptions(Control(kPageControl1), tab_captions_);
  SendMessageW(Control(kListBox1), LB_SETITEMHEIGHT, 0,
               ScaleForDpi(kSloganRowHeight, dpi()));
}

TMainForm::LayoutKey TMainForm::CurrentLayoutKey() const {
  return LayoutKey{ClientSizeOf(hwnd()), dpi()};
}

LayoutRect TMainForm::StorageBoxPlace() const {
  return PlacedRowRect(kStorageBoxLayout, kMainFormClientSize, laid_out_.dpi,
                       laid_out_.client);
}

void TMainForm::ApplyLayout() {
  // The first showing reports the size the controls were made for.
  const LayoutKey key = CurrentLayoutKey();
  if (key == laid_out_ || !boxes_) return;
  laid_out_ = key;
  PlaceControlRows(hwnd(), kMainFormLayout, kMainFormClientSize, key.dpi,
                   key.client);
  for (HWND box : boxes_->Boxes()) MoveControl(box, StorageBoxPlace());
  FitTabCaptions(Control(kPageControl1), tab_captions_);
}

void TMainForm::OnDpiChanged(const RECT& suggested) {
  ApplyFont();
  Window::OnDpiChanged(suggested);
  ApplyLayout();
}

void TMainForm::FormCreate() {
  ApplyVersionCaption(hwnd(), kMainFormName);
  host_->Start({RoamingApplicationDataFolder(), TemporaryFolder()});
}

void TMainForm::CloseAfterSaving() {
  if (!created_ || !close_saving_.SaveEveryList(hwnd(), *host_)) return;
  saved_at_close_ = true;
  // Closing asks nothing more: hidden first, then destroyed.
  ShowWindow(hwnd(), SW_HIDE);
  DestroyWindow(hwnd());
}

void TMainForm::FormDestroy() {
  // Destroyed without the close (the system ended the program): nothing
  // can wait or be asked any more, as at the end of a Windows session.
  // A window whose creation failed showed no list and saves none.
  if (created_ && !saved_at_close_) host_->SaveLists(SaveMoment::EndingSession);
}

void TMainForm::MakeTabCaptions() {
  std::vector<TabPage> tab_pages;
  for (std::size_t page = 0; page < host_->PageCount(); ++page)
    tab_pages.push_back(
        {host_->Page(page).caption, host_->Page(page).storage_theme});
  tab_captions_ = TabCaptionChoices(tab_pages);
}

}  // namespace tavlin
