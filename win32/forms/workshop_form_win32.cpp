#include "win32/forms/workshop_form_win32.h"

#include <commctrl.h>

#include <utility>

#include "src/ui/workshop_layout.h"
#include "src/workshop/new_theme.h"
#include "win32/forms/main_form_font_win32.h"
#include "win32/forms/theme_name_form_win32.h"
#include "win32/gui/control_rows_win32.h"
#include "win32/gui/edit_text_win32.h"
#include "win32/gui/error_report_win32.h"
#include "win32/gui/modal_window_win32.h"
#include "win32/gui/popup_menu_win32.h"
#include "win32/gui/text_box_menu_win32.h"
#include "win32/system/known_folder_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr wchar_t kClassName[] = L"TavlinWorkshopForm";
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr UINT kBalloonShown = 6000;

}  // namespace

TWorkshopForm::TWorkshopForm(HWND owner, WorkshopOpening opening)
    : opening_(std::move(opening)) {
  CreateCentredForm(kClassName, kWindowStyle, 0, kWorkshopClientSize, owner);
}

TWorkshopForm::~TWorkshopForm() {
  host_.reset();  // its saves end while the window can still be woken
  DestroyNow();
}

HWND TWorkshopForm::Box(std::size_t column) const {
  return Control(WorkshopBoxId(column));
}

HWND TWorkshopForm::Margin(std::size_t column) const {
  return Control(WorkshopMarginId(column));
}

LRESULT TWorkshopForm::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  LRESULT result = 0;
  // As the main window does: every file is saved, or set aside, when
  // Windows ends.
  if (host_ && AnswerListMessage(hwnd(), *host_, kWorkshopSaveDoneMessage,
                                 message, w, result))
    return result;
  switch (message) {
    case WM_CREATE:
      CreateControls();
      OpenTheme(opening_.theme);
      return 0;
    case WM_SIZE:
      ApplyLayout();
      return 0;
    case WM_CLOSE:
      CloseAfterSaving();
      return 0;
  }
  return Window::HandleMessage(message, w, l);
}

void TWorkshopForm::CreateControls() {
  const WorkshopPlaces places = PlaceWorkshop(ClientSizeOf(hwnd()), dpi());
  for (std::size_t column = 0; column < kPhrasePlaces; ++column) {
    // The caption first: it names the box after it for screen readers,
    // and its access key moves there.
    CreateControl(hwnd(), WorkshopLabelId(column), ControlKind::FieldLabel,
                  places.labels[column], kWorkshopColumnCaptions[column]);
    HWND box = CreateControl(hwnd(), WorkshopBoxId(column),
                             ControlKind::PhraseBox, places.boxes[column], u"");
    SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
    SetWindowSubclass(box, BoxProcedure, column,
                      reinterpret_cast<DWORD_PTR>(this));
    HWND margin =
        CreateControl(hwnd(), WorkshopMarginId(column),
                      ControlKind::CountMargin, places.margins[column], u"");
    SetWindowSubclass(margin, MarginProcedure, column,
                      reinterpret_cast<DWORD_PTR>(this));
  }
  samples_.Create(hwnd(), places, dpi());
  CreateControl(hwnd(), kWorkshopFoot, ControlKind::TextLabel, places.foot,
                u"");
  CreateControl(hwnd(), kWorkshopNewTheme, ControlKind::PushButton,
                places.new_theme, kWorkshopNewThemeCaption);
  CreateControl(hwnd(), kWorkshopClose, ControlKind::PushButton, places.close,
                kWorkshopCloseCaption);
  ApplyFont();
}

void TWorkshopForm::ApplyFont() {
  font_ = CreateMainFormFont(dpi(), FW_NORMAL);
  for (HWND child = GetWindow(hwnd(), GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT))
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()),
                 TRUE);
  samples_.UseFont(font_.get(), dpi());
}

void TWorkshopForm::ApplyLayout() {
  const WorkshopPlaces places = PlaceWorkshop(ClientSizeOf(hwnd()), dpi());
  const bool counting = host_ && host_->Counting();
  for (std::size_t column = 0; column < kPhrasePlaces; ++column) {
    MoveControl(Control(WorkshopLabelId(column)), places.labels[column]);
    MoveControl(Margin(column), places.margins[column]);
    LayoutRect box = places.boxes[column];
    // Without counts, the box takes the margin's room too.
    if (!counting) {
      box.width += box.left - places.margins[column].left;
      box.left = places.margins[column].left;
    }
    MoveControl(Box(column), box);
    ShowWindow(Margin(column), counting ? SW_SHOWNA : SW_HIDE);
  }
  samples_.Place(places);
  MoveControl(Control(kWorkshopFoot), places.foot);
  MoveControl(Control(kWorkshopNewTheme), places.new_theme);
  MoveControl(Control(kWorkshopClose), places.close);
}

void TWorkshopForm::OnDpiChanged(const RECT& suggested) {
  ApplyFont();
  Window::OnDpiChanged(suggested);
  ApplyLayout();
}

bool TWorkshopForm::OnMeasureItem(MEASUREITEMSTRUCT& item) {
  return samples_.Measure(item);
}

bool TWorkshopForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  for (std::size_t column = 0; column < kPhrasePlaces; ++column) {
    if (item.hwndItem != Margin(column)) continue;
    DrawMargin(column, item);
    return true;
  }
  return samples_.Draw(item);
}

void TWorkshopForm::OpenTheme(std::u16string theme) {
  host_.reset();
  opening_.theme = std::move(theme);
  SetWindowTextW(hwnd(),
                 WideCString(std::u16string(kWorkshopTitle) + opening_.theme));
  host_.emplace(opening_.folder, opening_.theme, shift_jis_, *opening_.meter);
  host_->Attach(*this);
  // Each box shows its file as loaded, or nothing where it failed to load.
  host_->LoadFiles({RoamingApplicationDataFolder(), TemporaryFolder()});
  host_->NewSamples(GetTickCount());
  ShowSamples();
  ApplyLayout();
  if (IsWindowVisible(hwnd())) host_->WindowShows();
}

std::optional<std::u16string> TWorkshopForm::ListText(std::size_t file) const {
  return std::u16string(AsU16(WindowTextOf(Box(file))));
}

bool TWorkshopForm::ShowList(std::size_t file, std::u16string_view text) {
  const bool was = std::exchange(showing_host_, true);
  const bool whole = ReplaceAllText(Box(file), text);
  showing_host_ = was;
  NoteBox(file);
  return whole;
}

void TWorkshopForm::ShowMergedList(std::size_t file, std::u16string_view text) {
  const bool was = std::exchange(showing_host_, true);
  ReplaceChangedText(Box(file), text);
  showing_host_ = was;
  NoteBox(file);
  ShowSamples();
}

void TWorkshopForm::SaveListAfter(std::size_t file, unsigned ms) {
  SetTimer(hwnd(), kFirstWorkshopSaveTimer + file, ms, nullptr);
}

void TWorkshopForm::CancelListSave(std::size_t file) {
  KillTimer(hwnd(), kFirstWorkshopSaveTimer + file);
}

void TWorkshopForm::Tell(const Notice& notice) {
  if (notice.place == Notice::Place::Window || !IsWindowVisible(hwnd())) {
    ShowUserReport(hwnd(), notice.report);
    return;
  }
  balloon_.Show(hwnd(), Box(notice.page < kPhrasePlaces ? notice.page : 0),
                WideFromUtf8(notice.report.text));
  SetTimer(hwnd(), kWorkshopBalloonTimer, kBalloonShown, nullptr);
}

void TWorkshopForm::CloseAgain() { PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

void TWorkshopForm::WakeForSaveResults() {
  PostMessageW(hwnd(), kWorkshopSaveDoneMessage, 0, 0);
}

void TWorkshopForm::OnCommand(int id, int code, HWND control) {
  // A box's menu: its command is for the box that has the focus.
  if (!control && code == 0 && RunTextBoxCommand(GetFocus(), id)) return;
  for (std::size_t column = 0; column < kPhrasePlaces; ++column) {
    if (id != WorkshopBoxId(column)) continue;
    if (code == EN_SETFOCUS && host_)
      host_->Focus(static_cast<PhrasePlace>(column));
    if (code == EN_CHANGE && host_ && !showing_host_) {
      host_->ListTyped(column);
      NoteBox(column);
    }
    return;
  }
  // A double-click on a sample, or Enter on the list.
  if ((id == kWorkshopSamples && code == LBN_DBLCLK) ||
      (id == IDOK && GetFocus() == samples_.list())) {
    ChooseSample();
    return;
  }
  if (code != BN_CLICKED) return;
  if (id == kWorkshopMakeSamples && host_) {
    host_->NewSamples(GetTickCount());
    ShowSamples();
  }
  if (id == kWorkshopNewTheme) NewThemeClick();
  if (id == kWorkshopClose || id == IDCANCEL) CloseAfterSaving();
}

void TWorkshopForm::OnTimer(UINT_PTR id) {
  if (id == kWorkshopBalloonTimer) {
    KillTimer(hwnd(), id);
    balloon_.Hide();
    return;
  }
  if (id < kFirstWorkshopSaveTimer ||
      id >= kFirstWorkshopSaveTimer + kPhrasePlaces || !host_)
    return;
  KillTimer(hwnd(), id);
  host_->SaveTimeCame(id - kFirstWorkshopSaveTimer);
  // Typing has paused: the samples are drawn from what it left.
  ShowSamples();
}

void TWorkshopForm::NoteBox(std::size_t column) {
  if (!host_) return;
  host_->Note(static_cast<PhrasePlace>(column),
              AsU16(WindowTextOf(Box(column))));
  if (host_->Counting()) InvalidateRect(Margin(column), nullptr, FALSE);
  SetWindowTextW(Control(kWorkshopFoot),
                 WideFromUtf8(host_->FootText()).c_str());
}

void TWorkshopForm::ShowSamples() {
  if (!host_) return;
  std::array<std::wstring, kPhrasePlaces> texts;
  for (std::size_t column = 0; column < kPhrasePlaces; ++column)
    texts[column] = WindowTextOf(Box(column));
  samples_.Show(
      host_->Samples({AsU16(texts[0]), AsU16(texts[1]), AsU16(texts[2])}));
}

void TWorkshopForm::ChooseSample() {
  // Drawn again first: the boxes may have changed since the list was.
  ShowSamples();
  samples_.SelectChosenLines({Box(0), Box(1), Box(2)});
}

LRESULT CALLBACK TWorkshopForm::BoxProcedure(HWND box, UINT message, WPARAM w,
                                             LPARAM l, UINT_PTR column,
                                             DWORD_PTR form) {
  auto* self = reinterpret_cast<TWorkshopForm*>(form);
  if (message == WM_CONTEXTMENU) {
    // The box's own items, in Japanese as the main window's boxes have
    // them; nothing may leave a window procedure.
    try {
      ShowTextBoxMenu(self->hwnd(), box, ContextMenuPoint(l));
    } catch (...) {
      ReportCurrentException(self->hwnd());
    }
    return 0;
  }
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(box, BoxProcedure, column);
    return DefSubclassProc(box, message, w, l);
  }
  const LRESULT result = DefSubclassProc(box, message, w, l);
  // Whatever moved the lines (a key, the wheel, a drag, a paste), the
  // margin follows once they have moved.
  if (message != EM_GETFIRSTVISIBLELINE) self->FollowBox(column, box);
  return result;
}

void TWorkshopForm::CloseAfterSaving() {
  if (host_ && close_saving_.SaveEveryList(hwnd(), *host_)) closed_ = true;
}

void TWorkshopForm::TellFailure(std::string why) {
  host_->Tell({Notice::Place::Window, 0,
               {UserReport::Kind::Failure, std::move(why)}});
}

void TWorkshopForm::NewThemeClick() {
  const std::optional<std::u16string> name =
      AskNewThemeName(hwnd(), opening_.themes);
  if (!name) return;
  if (const std::optional<std::string> why =
          CreateThemeFiles(opening_.folder, *name)) {
    TellFailure(*why);
    return;
  }
  opening_.themes.push_back(*name);
  if (opening_.theme_added) opening_.theme_added(*name);
  // The files open are saved before the new theme's take their boxes.
  std::string failure;
  if (host_->SaveLists(SaveMoment::Closing, &failure) !=
      ListSaving::Saved::All) {
    if (!failure.empty()) TellFailure(std::move(failure));
    return;
  }
  OpenTheme(*name);
  SetFocus(Box(0));
}

bool TWorkshopForm::PreTranslateMessage(const MSG& message) {
  if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) return false;
  if (message.message == WM_KEYDOWN) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (message.wParam == VK_TAB && !control) {
      MoveFocus(GetKeyState(VK_SHIFT) < 0);
      return true;
    }
    if (message.wParam == VK_ESCAPE) {
      PostMessageW(hwnd(), WM_CLOSE, 0, 0);
      return true;
    }
    if (control && message.wParam == 'A' && GetParent(message.hwnd) == hwnd()) {
      SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
      return true;
    }
  }
  return IsDialogMessageW(hwnd(), const_cast<MSG*>(&message)) != FALSE;
}

void TWorkshopForm::MoveFocus(bool backwards) {
  const HWND order[] = {Box(0),
                        Box(1),
                        Box(2),
                        samples_.list(),
                        Control(kWorkshopMakeSamples),
                        Control(kWorkshopNewTheme),
                        Control(kWorkshopClose)};
  const std::size_t count = std::size(order);
  std::size_t at = count - 1;
  for (std::size_t i = 0; i < count; ++i)
    if (order[i] == GetFocus()) at = i;
  SetFocus(order[backwards ? (at + count - 1) % count : (at + 1) % count]);
}

void TWorkshopForm::ShowModal() {
  ShowWindow(hwnd(), SW_SHOW);
  UpdateWindow(hwnd());
  if (host_) host_->WindowShows();
  SetFocus(Box(0));
  RunModalLoop(closed_, [&](const MSG& message) {
    return PreTranslateMessage(message);
  });
}

void ShowWorkshopForm(HWND owner, WorkshopOpening opening) {
  TWorkshopForm form(owner, std::move(opening));
  // After the window: the owner takes input again before the window goes.
  const OwnerDisabled disabled(owner);
  form.ShowModal();
}

}  // namespace tavlin
