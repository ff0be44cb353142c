#include "win32/forms/storage_pages_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>

#include "src/platform/atomic_save.h"
#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/slogan/phrase_theme.h"
#include "src/storage/store_rule.h"
#include "src/ui/main_form_layout.h"
#include "win32/gui/control_rows_win32.h"
#include "win32/gui/error_report_win32.h"
#include "win32/system/known_folder_win32.h"
#include "win32/system/running_program_win32.h"
#include "win32/system/shift_jis.h"
#include "win32/system/slogan_match_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

// A temporary file younger than this may be another running copy's save.
constexpr std::chrono::seconds kTemporaryFileMinimumAge{600};

}  // namespace

StoragePages::StoragePages(HWND form, HWND safety_box, HWND quality_box,
                           std::vector<std::u16string> further_themes)
    : form_(form) {
  pages_.resize(2);
  pages_[0].theme = ThemeName(PhraseCategory::Safety);
  pages_[0].box = safety_box;
  pages_[1].theme = ThemeName(PhraseCategory::Quality);
  pages_[1].box = quality_box;
  for (std::u16string& theme : further_themes)
    pages_.emplace_back().theme = std::move(theme);
  for (const Page& page : pages_) {
    if (!page.box) continue;
    // As large as the box can hold, so that large storage files load.
    SendMessageW(page.box, EM_SETLIMITTEXT, 0, 0);
    Watch(page.box);
  }
  ShowWindow(safety_box, SW_SHOW);
}

const std::u16string& StoragePages::Theme(std::size_t page) const {
  return pages_.at(page).theme;
}

bool StoragePages::IsStorageBox(HWND window) const {
  return window && std::any_of(pages_.begin(), pages_.end(),
                               [&](const Page& p) { return p.box == window; });
}

std::vector<HWND> StoragePages::FurtherBoxes() const {
  std::vector<HWND> boxes;
  for (std::size_t page = 2; page < pages_.size(); ++page)
    if (pages_[page].box) boxes.push_back(pages_[page].box);
  return boxes;
}

void StoragePages::LoadAll() {
  const std::filesystem::path executable = RunningExecutablePath();
  const std::filesystem::path application_data = RoamingApplicationDataFolder();
  for (Page& page : pages_) {
    StorageLocation& location = page.location;
    location.beside_program = StorageFilePath(executable, page.theme);
    location.in_user_folder =
        UserFolderStoragePath(application_data, location.beside_program);
  }
  for (Page& page : pages_) Load(page);
}

void StoragePages::RemoveStaleSaves() const {
  for (const Page& page : pages_)
    for (const std::filesystem::path* file :
         {&page.location.beside_program, &page.location.in_user_folder})
      if (!file->empty())
        RemoveStaleTemporaryFiles(file->parent_path(), file->stem(),
                                  kTemporaryFileMinimumAge);
}

void StoragePages::Load(Page& page) {
  try {
    const std::optional<std::string> notice =
        LoadStorageListFrom(page.list, page.location);
    if (notice) ShowNotice(nullptr, *notice);
    std::wstring text = WideFromShiftJis(page.list.text);
    // What an earlier session typed beyond Shift-JIS is shown again, as
    // long as the storage file is still what that session wrote.
    const std::optional<std::string> unicode =
        UnicodeTextToShow(page.list, [](std::string_view utf8) {
          return ShiftJisFromWide(WideFromUtf8(utf8));
        });
    if (unicode) text = WideFromUtf8(*unicode);
    page.list.unicode_copy_taken = unicode.has_value();
    page.shown_at_load = std::move(text);
    // A page without its box yet shows the text when the box is made.
    if (page.box) ShowLoadedText(page);
  } catch (...) {
    DropLoadedText(page);
  }
}

void StoragePages::ShowLoadedText(Page& page) {
  SetWindowTextW(page.box, page.shown_at_load.c_str());
  if (static_cast<std::size_t>(GetWindowTextLengthW(page.box)) !=
      page.shown_at_load.size())
    throw TavlinError(kTextTooLargeForBox);
}

void StoragePages::DropLoadedText(Page& page) {
  // The list does not hold what the file holds: the file is left alone.
  if (page.box) SetWindowTextW(page.box, L"");
  page.list.text = ShiftJisText();
  page.shown_at_load.clear();
  if (page.list.file.kind == FileSnapshot::Kind::Read)
    MarkStorageFileUnread(page.list);
  ReportCurrentException(nullptr);
}

void StoragePages::Activate(std::size_t page, const LayoutRect& where,
                            HFONT font) {
  active_ = page < pages_.size() ? page : 0;
  Page& active = pages_[active_];
  if (!active.box) MakeBox(active, where, font);
  for (const Page& each : pages_)
    if (each.box) ShowWindow(each.box, &each == &active ? SW_SHOW : SW_HIDE);
}

void StoragePages::MakeBox(Page& page, const LayoutRect& where, HFONT font) {
  const auto index = static_cast<int>(&page - pages_.data());
  page.box = CreateControl(form_, kFirstExtraStorageBox + index - 2,
                           ControlKind::StorageBox, where, u"");
  // Above the page control, where the boxes of the layout lie.
  SetWindowPos(page.box, GetDlgItem(form_, kMemQuality), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(page.box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(page.box, EM_SETLIMITTEXT, 0, 0);
  Watch(page.box);
  try {
    ShowLoadedText(page);
  } catch (...) {
    DropLoadedText(page);
  }
}

void StoragePages::SaveAll() {
  if (saved_) return;
  saved_ = true;
  std::vector<StorageListToSave> lists;
  for (Page& page : pages_) {
    // A box never made shows what was loaded.
    const std::wstring text =
        page.box ? WindowTextOf(page.box) : page.shown_at_load;
    // An untouched list is written back with the very bytes it was loaded
    // from, whatever the conversion to the screen made of them.
    if (text != page.shown_at_load) {
      bool lossy = false;
      page.list.text = ShiftJisFromWide(text, &lossy);
      page.list.unicode_text = lossy ? Utf8FromWide(text) : std::string();
    }
    lists.push_back({&page.list, page.location});
  }
  for (const UserReport& report : SaveStorageLists(lists))
    ShowUserReport(nullptr, report);
}

void StoragePages::StoreSlogan(std::wstring_view slogan) {
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
