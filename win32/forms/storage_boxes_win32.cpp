#include "win32/forms/storage_boxes_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "src/ui/main_form_ids.h"
#include "src/ui/main_form_layout.h"
#include "win32/gui/control_rows_win32.h"
#include "win32/gui/edit_text_win32.h"
#include "win32/gui/text_box_menu_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr UINT kBalloonShown = 6000;

}  // namespace

StorageBoxes::StorageBoxes(HWND form, const MainHost& host,
                           const LayoutRect& where)
    : form_(form),
      host_(host),
      boxes_(host.PageCount(), nullptr),
      box_procedures_(host.PageCount(), nullptr) {
  for (std::size_t page = 0; page < boxes_.size(); ++page)
    if (host_.Page(page).box_at_start) MakeBox(page, where, nullptr);
  if (!boxes_.empty() && boxes_[0]) ShowWindow(boxes_[0], SW_SHOW);
}

std::optional<std::u16string> StorageBoxes::ListText(std::size_t page) const {
  HWND box = BoxOf(page);
  if (!box) return std::nullopt;
  return std::u16string(AsU16(WindowTextOf(box)));
}

bool StorageBoxes::ShowList(std::size_t page, std::u16string_view text) {
  // A page's box is made when the page first shows, with the list then.
  HWND box = BoxOf(page);
  if (!box) return true;
  const bool was = std::exchange(showing_host_, true);
  const bool whole = ReplaceAllText(box, text);
  showing_host_ = was;
  return whole;
}

void StorageBoxes::ShowMergedList(std::size_t page, std::u16string_view text) {
  HWND box = BoxOf(page);
  if (!box) return;
  const bool was = std::exchange(showing_host_, true);
  ReplaceChangedText(box, text);
  showing_host_ = was;
}

void StorageBoxes::SaveListAfter(std::size_t page, unsigned ms) {
  SetTimer(form_, kFirstSaveTimer + page, ms, nullptr);
}

void StorageBoxes::CancelListSave(std::size_t page) {
  KillTimer(form_, kFirstSaveTimer + page);
}

void StorageBoxes::Tell(std::size_t, const std::wstring& text) {
  ShowBalloon(ActiveBox(), text);
}

void StorageBoxes::ShowBalloon(HWND box, const std::wstring& text) {
  if (!box || !IsWindowVisible(form_)) return;
  balloon_.Show(form_, box, text);
  SetTimer(form_, kStorageBalloonTimer, kBalloonShown, nullptr);
}

std::optional<std::size_t> StorageBoxes::PageOf(HWND box) const {
  const auto found = std::find(boxes_.begin(), boxes_.end(), box);
  if (!box || found == boxes_.end()) return std::nullopt;
  return static_cast<std::size_t>(found - boxes_.begin());
}

bool StorageBoxes::IsStorageBox(HWND window) const {
  return PageOf(window).has_value();
}

std::vector<HWND> StorageBoxes::Boxes() const {
  std::vector<HWND> made;
  for (HWND box : boxes_)
    if (box) made.push_back(box);
  return made;
}

std::optional<std::size_t> StorageBoxes::TypedBy(HWND box) const {
  if (showing_host_) return std::nullopt;
  return PageOf(box);
}

std::optional<std::size_t> StorageBoxes::OnTimer(UINT_PTR id) {
  if (id == kStorageBalloonTimer) {
    KillTimer(form_, id);
    balloon_.Hide();
    return std::nullopt;
  }
  if (!Contains(kSaveTimerIds, static_cast<int>(id))) return std::nullopt;
  KillTimer(form_, id);
  return id - kFirstSaveTimer;
}

bool StorageBoxes::Activate(std::size_t page, const LayoutRect& where,
                            HFONT font) {
  // Pages added since the start have their places from now on.
  boxes_.resize(std::max(boxes_.size(), host_.PageCount()), nullptr);
  box_procedures_.resize(boxes_.size(), nullptr);
  const bool make = !boxes_.at(page);
  if (make) MakeBox(page, where, font);
  for (HWND box : boxes_)
    if (box) ShowWindow(box, box == boxes_[page] ? SW_SHOW : SW_HIDE);
  return make;
}

void StorageBoxes::MakeBox(std::size_t page, const LayoutRect& where,
                           HFONT font) {
  HWND box = CreateControl(form_, StorageBoxId(page), ControlKind::StorageBox,
                           where, u"");
  // Above the page control, under everything else.
  SetWindowPos(box, GetDlgItem(form_, kPanel1), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // A box made with the window takes its font with the window's controls.
  if (font)
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
  boxes_[page] = box;
  Watch(page);
}

std::u16string StorageBoxes::LineAtCaret(std::size_t page) const {
  HWND box = BoxOf(page);
  if (!box) return {};
  const std::wstring text = WindowTextOf(box);
  return std::u16string(tavlin::LineAtCaret(box, text));
}

void StorageBoxes::EditList(std::size_t page, const ListEdit& edit) {
  HWND box = BoxOf(page);
  if (!box) return;
  // The host's own edit: it knows of it, and the user's undo keeps it.
  const bool was = std::exchange(showing_host_, true);
  if (edit.removes_line) {
    SendMessageW(box, EM_SETSEL, edit.remove_begin, edit.remove_end);
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
  }
  const std::wstring appended(AsWide(edit.appended));
  const LRESULT end = GetWindowTextLengthW(box);
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(box, EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(appended.c_str()));
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
  showing_host_ = was;
}

void StorageBoxes::RunTextBoxCommand(std::size_t page, int command) {
  if (HWND box = BoxOf(page)) tavlin::RunTextBoxCommand(box, command);
}

}  // namespace tavlin
