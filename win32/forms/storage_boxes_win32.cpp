#include "win32/forms/storage_boxes_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "src/storage/store_rule.h"
#include "src/ui/main_form_ids.h"
#include "src/ui/main_form_layout.h"
#include "win32/gui/control_rows_win32.h"
#include "win32/gui/edit_text_win32.h"
#include "win32/system/slogan_match_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr UINT kBalloonShown = 6000;

}  // namespace

StorageBoxes::StorageBoxes(HWND form, MainHost& host, const LayoutRect& where)
    : form_(form),
      host_(host),
      boxes_(host.PageCount(), nullptr),
      box_procedures_(host.PageCount(), nullptr) {
  for (std::size_t page = 0; page < boxes_.size(); ++page)
    if (host_.Page(page).box_at_start) MakeBox(page, where, nullptr);
  if (!boxes_.empty() && boxes_[0]) ShowWindow(boxes_[0], SW_SHOW);
}

std::optional<std::u16string> StorageBoxes::ListText(std::size_t page) const {
  if (page >= boxes_.size() || !boxes_[page]) return std::nullopt;
  return std::u16string(AsU16(WindowTextOf(boxes_[page])));
}

bool StorageBoxes::ShowList(std::size_t page, std::u16string_view text) {
  HWND box = boxes_.at(page);
  if (!box) return true;
  const bool was = std::exchange(showing_host_, true);
  const bool whole = ReplaceAllText(box, text);
  showing_host_ = was;
  return whole;
}

void StorageBoxes::ShowMergedList(std::size_t page, std::u16string_view text) {
  HWND box = boxes_.at(page);
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

void StorageBoxes::Tell(std::size_t page, const std::wstring& text) {
  HWND box = ActiveBox();
  if (page < boxes_.size() && boxes_[page] == box) box = boxes_[page];
  ShowBalloon(box, text);
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

void StorageBoxes::OnBoxChanged(HWND box) {
  if (showing_host_) return;
  if (const std::optional<std::size_t> page = PageOf(box))
    host_.ListTyped(*page);
}

bool StorageBoxes::OnTimer(UINT_PTR id) {
  if (id == kStorageBalloonTimer) {
    KillTimer(form_, id);
    balloon_.Hide();
    return true;
  }
  if (!Contains(kSaveTimerIds, static_cast<int>(id))) return false;
  KillTimer(form_, id);
  host_.SaveTimeCame(id - kFirstSaveTimer);
  return true;
}

void StorageBoxes::Activate(const LayoutRect& where, HFONT font) {
  const std::size_t active = host_.Active();
  if (!boxes_[active]) {
    MakeBox(active, where, font);
    host_.BoxMade(active);
  }
  for (HWND box : boxes_)
    if (box) ShowWindow(box, box == boxes_[active] ? SW_SHOW : SW_HIDE);
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

void StorageBoxes::StoreSlogan(std::wstring_view slogan) {
  HWND box = ActiveBox();
  if (slogan.empty() || !box) return;
  const std::wstring text = WindowTextOf(box);
  const BasicStorageEdit<wchar_t> edit =
      PlanStoreSlogan(std::wstring_view(text), slogan, SlogansMatchWide);
  if (edit.removes_line) {
    SendMessageW(box, EM_SETSEL, edit.remove_begin, edit.remove_end);
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
  }
  const LRESULT end = GetWindowTextLengthW(box);
  SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(box, EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(edit.appended.c_str()));
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

}  // namespace tavlin
