#include "win32/forms/main_form_win32.h"

#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <vector>

#include "src/platform/atomic_save.h"
#include "src/platform/tavlin_error.h"
#include "src/slogan/phrase_theme.h"
#include "src/slogan/slogan_generator.h"
#include "src/storage/store_rule.h"
#include "src/storage/vote_sheet.h"
#include "src/ui/layout.h"
#include "src/ui/main_form_layout.h"
#include "src/ui/poster_layout.h"
#include "src/ui/slogan_menu.h"
#include "src/ui/storage_menu.h"
#include "win32/forms/info_form_win32.h"
#include "win32/forms/poster_form_win32.h"
#include "win32/forms/vote_sheet_export_win32.h"
#include "win32/gui/error_report_win32.h"
#include "win32/gui/window_caption_win32.h"
#include "win32/system/clipboard_win32.h"
#include "win32/system/device_context_win32.h"
#include "win32/system/known_folder_win32.h"
#include "win32/system/running_program_win32.h"
#include "win32/system/shift_jis.h"
#include "win32/system/slogan_match_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr wchar_t kClassName[] = L"TavlinMainForm";
constexpr wchar_t kFontFace[] = L"ＭＳ ゴシック";
constexpr int kFontHeight = -13;
// A temporary file younger than this may be another running copy's save.
constexpr std::chrono::seconds kTemporaryFileMinimumAge{600};
constexpr UINT kRemoveStaleSavesMessage = WM_APP + 1;

// The slogan list as a generation sees it, with the parts of each row (the
// row type is the main window's own, hence the template).
template <typename ShownSlogan>
class SloganListBox final : public SloganListTarget {
 public:
  SloganListBox(HWND list, std::vector<ShownSlogan>& shown)
      : list_(list), shown_(shown) {}
  void RemoveAll() override {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    shown_.clear();
  }
  void Append(ShiftJisView slogan) override {
    const std::wstring text = WideFromShiftJis(slogan);
    SendMessageW(list_, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
    shown_.emplace_back();
  }
  void AppendParts(const ComposedSlogan& slogan) override {
    SloganListTarget::AppendParts(slogan);
    ShownSlogan& shown = shown_.back();
    for (std::size_t i = 0; i < kPhrasePositions; ++i) {
      shown.parts[i] = ShiftJisText(std::string(slogan.parts[i].bytes()));
      shown.wide_parts[i] = WideFromShiftJis(slogan.parts[i]);
    }
  }

 private:
  HWND list_;
  std::vector<ShownSlogan>& shown_;
};

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

// One item of a list box; empty where there is none.
std::wstring ListBoxItemText(HWND list, WPARAM index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The layout row of a control of the layout table.
const ControlLayout& LayoutOf(MainFormControl id) {
  return *std::find_if(
      std::begin(kMainFormLayout), std::end(kMainFormLayout),
      [id](const ControlLayout& layout) { return layout.id == id; });
}

// The window's font at dpi, in the given weight.
HFONT CreateFormFont(int dpi, int weight) {
  return CreateFontW(ScaleForDpi(kFontHeight, dpi), 0, 0, 0, weight, FALSE,
                     FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     FIXED_PITCH | FF_MODERN, kFontFace);
}

// The window's outer bounds at the design size, centred on the screen.
RECT CentredBoundsFor(int dpi, DWORD style) {
  const LayoutSize client = ScaleForDpi(kMainFormClientSize, dpi);
  RECT bounds{0, 0, client.width, client.height};
  AdjustWindowRectEx(&bounds, style, FALSE, 0);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return RECT{left, top, left + width, top + height};
}

constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

DWORD StyleOf(ControlKind kind) {
  const DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
  switch (kind) {
    case ControlKind::TabControl:
      return child | WS_VISIBLE | WS_TABSTOP | TCS_TABS | TCS_SINGLELINE;
    case ControlKind::Button:
      return child | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    case ControlKind::ListBox:
      return child | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED |
             LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    case ControlKind::Panel:
      return child | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
    case ControlKind::Memo:
      return child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
             ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | ES_NOHIDESEL;
  }
  return child;
}

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::TabControl:
      return WC_TABCONTROLW;
    case ControlKind::Button:
      return WC_BUTTONW;
    case ControlKind::ListBox:
      return WC_LISTBOXW;
    case ControlKind::Panel:
      return WC_STATICW;
    case ControlKind::Memo:
      return WC_EDITW;
  }
  return WC_STATICW;
}

bool HasSunkenBorder(ControlKind kind) {
  return kind == ControlKind::ListBox || kind == ControlKind::Memo;
}

void AppendMenuItem(HMENU menu, bool separator_before, UINT flags, int command,
                    std::u16string_view caption) {
  if (separator_before) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  const std::u16string text(caption);  // terminated for the call
  AppendMenuW(menu, MF_STRING | flags, static_cast<UINT_PTR>(command),
              WideCString(text));
}

// Shows a context menu of owner's at a point of the screen. The chosen
// command arrives as WM_COMMAND, as from any menu. A menu whose owner is
// not in front closes at the first input elsewhere.
void TrackMenuFor(HWND owner, HMENU menu, POINT at) {
  SetForegroundWindow(owner);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x,
                 at.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace

TMainForm::TMainForm() {
  RegisterWindowClass(
      kClassName, L"MAINICON",
      reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  // Created where it shows: every move of a window costs the system a
  // round trip, and the start is the user's whole wait.
  Create(kClassName, kWindowStyle, 0,
         CentredBoundsFor(SystemDpi(), kWindowStyle), nullptr);
}

void TMainForm::Show(int show_command) {
  // Handled once the window is painted, and before anything posted to the
  // window after it shows: a close at once still finds the start complete.
  PostMessageW(hwnd(), kRemoveStaleSavesMessage, 0, 0);
  ShowWindow(hwnd(), show_command);
  UpdateWindow(hwnd());
  if (show_command != SW_SHOWMINNOACTIVE && show_command != SW_SHOWMINIMIZED)
    SetFocus(Control(kPageControl1));
}

HWND TMainForm::Control(int id) const { return GetDlgItem(hwnd(), id); }

int TMainForm::ActivePageIndex() const {
  const LRESULT index =
      SendMessageW(Control(kPageControl1), TCM_GETCURSEL, 0, 0);
  return index < 0 ? 0 : static_cast<int>(index);
}

TMainForm::StoragePage& TMainForm::ActiveStoragePage() {
  const auto index = static_cast<std::size_t>(ActivePageIndex());
  return pages_.at(index < pages_.size() ? index : 0);
}

const TMainForm::StoragePage& TMainForm::ActiveStoragePage() const {
  return const_cast<TMainForm*>(this)->ActiveStoragePage();
}

bool TMainForm::IsStorageBox(HWND window) const {
  return window && std::any_of(pages_.begin(), pages_.end(),
                               [&](const auto& p) { return p.memo == window; });
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      FormCreate();
      created_ = true;
      return 0;
    case WM_SIZE:
      ApplyLayout();
      return 0;
    case kRemoveStaleSavesMessage:
      RemoveStaleSaves();
      return 0;
    case WM_COMMAND: {
      const int id = LOWORD(w);
      const int code = HIWORD(w);
      if (id == kBitBtn1 && code == BN_CLICKED) BitBtn1Click();
      if (id == kBitBtn2 && code == BN_CLICKED) BitBtn2Click();
      if (id == kListBox1 && code == LBN_DBLCLK) ListBox1DblClick();
      if (code == EN_SETFOCUS && IsStorageBox(reinterpret_cast<HWND>(l)))
        SwitchInputMethodToHiragana(reinterpret_cast<HWND>(l));
      if (l == 0 && code == 0) OnMenuCommand(id);
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(l);
      if (header->idFrom == kPageControl1 && header->code == TCN_SELCHANGE)
        PageControl1Change();
      return 0;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      if (item->CtlID == kListBox1) {
        item->itemHeight =
            static_cast<UINT>(ScaleForDpi(kSloganRowHeight, dpi()));
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      if (item->CtlID == kListBox1) {
        OnDrawItem(*item);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(l) == Control(kPanel1)) {
        HDC dc = reinterpret_cast<HDC>(w);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(w) == Control(kListBox1)) {
        ShowSloganMenu(l);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd(), focus)) last_focus_ = focus;
      }
      break;
    case WM_SETFOCUS:
      SetFocus(last_focus_ && IsWindowVisible(last_focus_)
                   ? last_focus_
                   : Control(kPageControl1));
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Windows ends the process after this without destroying the window:
      // the lists are saved as at a normal close.
      if (w) SaveStoragePages();
      return 0;
    case WM_CLOSE:
      // Closing asks nothing: hidden first, then destroyed.
      ShowWindow(hwnd(), SW_HIDE);
      DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      // Ends the program even when saving fails. A window whose creation
      // failed ends nothing: its creator reports the failure.
      try {
        FormDestroy();
      } catch (...) {
        ReportCurrentException(nullptr);
      }
      if (created_) PostQuitMessage(0);
      return 0;
  }
  return Window::HandleMessage(message, w, l);
}

void TMainForm::CreateControls() {
  laid_out_ = CurrentLayoutKey();
  for (const ControlLayout& layout : kMainFormLayout) {
    const std::u16string caption(layout.caption);  // terminated for the call
    // Each control is made in its place, so that no second pass moves it.
    const LayoutRect rect = PlaceOf(layout, laid_out_);
    HWND control = CreateWindowExW(
        HasSunkenBorder(layout.kind) ? WS_EX_CLIENTEDGE : 0,
        ClassOf(layout.kind), WideCString(caption), StyleOf(layout.kind),
        rect.left, rect.top, rect.width, rect.height, hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
        GetModuleHandleW(nullptr), nullptr);
    if (!control) throw TavlinError("コントロールを作成できません");
  }
  pages_.resize(2);
  pages_[0].theme = ThemeName(PhraseCategory::Safety);
  pages_[0].memo = Control(kMemSafe);
  pages_[1].theme = ThemeName(PhraseCategory::Quality);
  pages_[1].memo = Control(kMemQuality);
  // Further themes get their boxes when their pages first show: a box
  // costs the start more than anything else the window holds.
  for (std::u16string& theme :
       ExtraThemesIn(RunningExecutablePath().parent_path()))
    pages_.emplace_back().theme = std::move(theme);
  HWND tabs = Control(kPageControl1);
  for (std::size_t page = 0; page < pages_.size(); ++page) {
    std::u16string caption = page < 2 ? std::u16string(kPageCaptions[page])
                                      : ThemeCaption(pages_[page].theme);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = WideBuffer(caption);
    SendMessageW(tabs, TCM_INSERTITEMW, page, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(tabs, TCM_SETCURSEL, 0, 0);
  for (const StoragePage& page : pages_) {
    // As large as the box can hold, so that large storage files load.
    if (page.memo) SendMessageW(page.memo, EM_SETLIMITTEXT, 0, 0);
  }
  for (const StoragePage& page : pages_)
    if (page.memo) WatchStorageBox(page.memo);
  ShowWindow(pages_[0].memo, SW_SHOW);
  ApplyFont();
}

HFONT TMainForm::BoldFont() {
  if (!bold_font_) bold_font_.reset(CreateFormFont(dpi(), FW_BOLD));
  return static_cast<HFONT>(bold_font_ ? bold_font_.get() : font_.get());
}

void TMainForm::ApplyFont() {
  font_.reset(CreateFormFont(dpi(), FW_NORMAL));
  bold_font_.reset();
  SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), 0);
  // Redrawn only when the window shows already (a change of DPI); at the
  // start the first painting is still ahead.
  const BOOL redraw = IsWindowVisible(hwnd());
  ForEachControl([&](HWND control, const ControlLayout&) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()),
                 redraw);
  });
  const int tab_height = ScaleForDpi(kTabHeight, dpi());
  SendMessageW(Control(kPageControl1), TCM_SETITEMSIZE, 0,
               MAKELPARAM(0, tab_height));
  SendMessageW(Control(kListBox1), LB_SETITEMHEIGHT, 0,
               ScaleForDpi(kSloganRowHeight, dpi()));
}

TMainForm::LayoutKey TMainForm::CurrentLayoutKey() const {
  RECT client;
  GetClientRect(hwnd(), &client);
  return LayoutKey{LayoutSize{client.right, client.bottom}, dpi()};
}

LayoutRect TMainForm::PlaceOf(const ControlLayout& layout,
                              const LayoutKey& key) {
  return PlacedRect(layout.rect, kMainFormClientSize, key.dpi, key.client,
                    layout.anchors);
}

void TMainForm::ApplyLayout() {
  // The first showing reports the size the controls were made for.
  const LayoutKey key = CurrentLayoutKey();
  if (key == laid_out_) return;
  laid_out_ = key;
  ForEachControl([&](HWND control, const ControlLayout& layout) {
    const LayoutRect rect = PlaceOf(layout, key);
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  });
}

template <typename Visit>
void TMainForm::ForEachControl(Visit&& visit) {
  for (const ControlLayout& layout : kMainFormLayout)
    visit(Control(layout.id), layout);
  // The boxes of further themes lie where the quality box does.
  for (std::size_t page = 2; page < pages_.size(); ++page)
    if (pages_[page].memo) visit(pages_[page].memo, LayoutOf(kMemQuality));
}

void TMainForm::OnDpiChanged(const RECT& suggested) {
  ApplyFont();
  SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyLayout();
}

void TMainForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) {
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return;
  }
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem,
           GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const std::wstring text = ListBoxItemText(item.hwndItem, item.itemID);
  if (!text.empty()) {
    const SelectedObject font(item.hDC, font_.get());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT
                                                : COLOR_WINDOWTEXT));
    RECT text_rect = item.rcItem;
    text_rect.left += ScaleForDpi(kSloganTextIndent, dpi());
    constexpr UINT kFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT;
    const ShownSlogan* shown =
        item.itemID < shown_.size() ? &shown_[item.itemID] : nullptr;
    bool any_held = false;
    for (std::size_t i = 0; shown && i < kPhrasePositions; ++i)
      any_held = any_held || IsHeld(*shown, i);
    if (!any_held) {
      DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()),
                &text_rect, kFormat);
    } else {
      // Part by part, the held ones in bold, each behind the one before.
      for (std::size_t i = 0; i < kPhrasePositions; ++i) {
        const std::wstring part = (i > 0 ? L" " : L"") + shown->wide_parts[i];
        const SelectedObject weight(
            item.hDC, IsHeld(*shown, i) ? BoldFont() : font_.get());
        SIZE extent{};
        GetTextExtentPoint32W(item.hDC, part.c_str(),
                              static_cast<int>(part.size()), &extent);
        DrawTextW(item.hDC, part.c_str(), static_cast<int>(part.size()),
                  &text_rect, kFormat);
        text_rect.left += extent.cx;
      }
    }
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void TMainForm::FormCreate() {
  ApplyVersionCaption(hwnd(), kMainFormName);
  phrases_.emplace();
  const std::filesystem::path executable = RunningExecutablePath();
  const std::filesystem::path application_data = RoamingApplicationDataFolder();
  for (StoragePage& page : pages_) {
    StorageLocation& location = page.location;
    location.beside_program = StorageFilePath(executable, page.theme);
    location.in_user_folder =
        UserFolderStoragePath(application_data, location.beside_program);
  }
  // Each step runs even when one before it failed: a list that failed to
  // load is kept from overwriting its file, and the rest still starts.
  for (StoragePage& page : pages_) LoadStoragePage(page);
  try {
    BitBtn1Click();
  } catch (...) {
    ReportCurrentException(nullptr);
  }
}

void TMainForm::RemoveStaleSaves() {
  for (const StoragePage& page : pages_)
    for (const std::filesystem::path* file :
         {&page.location.beside_program, &page.location.in_user_folder})
      if (!file->empty())
        RemoveStaleTemporaryFiles(file->parent_path(), file->stem(),
                                  kTemporaryFileMinimumAge);
}

void TMainForm::LoadStoragePage(StoragePage& page) {
  try {
    const std::optional<std::string> notice =
        LoadStorageListFrom(page.list, page.location);
    if (notice) ShowErrorReport(nullptr, *notice);
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
    if (page.memo) ShowLoadedText(page);
  } catch (...) {
    DropLoadedText(page);
  }
}

void TMainForm::ShowLoadedText(StoragePage& page) {
  SetWindowTextW(page.memo, page.shown_at_load.c_str());
  if (static_cast<std::size_t>(GetWindowTextLengthW(page.memo)) !=
      page.shown_at_load.size())
    throw TavlinError("文字列の大きさが メモ の制限を越えました");
}

void TMainForm::DropLoadedText(StoragePage& page) {
  // The list does not hold what the file holds: the file is left alone.
  if (page.memo) SetWindowTextW(page.memo, L"");
  page.list.text = ShiftJisText();
  page.shown_at_load.clear();
  if (page.list.file.kind == FileSnapshot::Kind::Read)
    MarkStorageFileUnread(page.list);
  ReportCurrentException(nullptr);
}

void TMainForm::MakeStorageBox(StoragePage& page) {
  const auto index = static_cast<std::size_t>(&page - pages_.data());
  const LayoutRect rect = PlaceOf(LayoutOf(kMemQuality), laid_out_);
  const int id = kFirstExtraStorageBox + static_cast<int>(index) - 2;
  page.memo = CreateWindowExW(WS_EX_CLIENTEDGE, ClassOf(ControlKind::Memo), L"",
                              StyleOf(ControlKind::Memo), rect.left, rect.top,
                              rect.width, rect.height, hwnd(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!page.memo) throw TavlinError("コントロールを作成できません");
  // Above the page control, where the boxes of the layout lie.
  SetWindowPos(page.memo, Control(kMemQuality), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(page.memo, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()),
               FALSE);
  SendMessageW(page.memo, EM_SETLIMITTEXT, 0, 0);
  WatchStorageBox(page.memo);
  try {
    ShowLoadedText(page);
  } catch (...) {
    DropLoadedText(page);
  }
}

void TMainForm::FormDestroy() {
  SaveStoragePages();
  phrases_.reset();
}

void TMainForm::SaveStoragePages() {
  // Once: at the end of the session and again at the window's end would
  // report a failure twice.
  if (storage_saved_) return;
  storage_saved_ = true;
  std::vector<std::pair<const StorageList*, StorageLocation>> lists;
  for (StoragePage& page : pages_) {
    // A box never made shows what was loaded.
    const std::wstring text =
        page.memo ? WindowTextOf(page.memo) : page.shown_at_load;
    // An untouched list is written back with the very bytes it was loaded
    // from, whatever the conversion to the screen made of them.
    if (text != page.shown_at_load) {
      bool lossy = false;
      page.list.text = ShiftJisFromWide(text, &lossy);
      page.list.unicode_text = lossy ? Utf8FromWide(text) : std::string();
    }
    lists.emplace_back(&page.list, page.location);
  }
  for (const std::string& report : SaveStorageLists(lists))
    ShowErrorReport(nullptr, report);
}

void TMainForm::BitBtn1Click() {
  if (!phrases_) return;
  SloganListBox<ShownSlogan> list(Control(kListBox1), shown_);
  StoragePage& page = ActiveStoragePage();
  GenerateThemeSlogans(RunningExecutablePath().parent_path(), page.theme,
                       *phrases_, GetTickCount(), list, &page.holds);
}

const TMainForm::ShownSlogan* TMainForm::SelectedSlogan() const {
  const LRESULT index = SendMessageW(Control(kListBox1), LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= shown_.size())
    return nullptr;
  return &shown_[static_cast<std::size_t>(index)];
}

bool TMainForm::IsHeld(const ShownSlogan& slogan, std::size_t part) const {
  const std::optional<ShiftJisText>& held =
      ActiveStoragePage().holds.phrases[part];
  return held && !slogan.wide_parts[part].empty() &&
         *held == slogan.parts[part];
}

std::wstring TMainForm::SelectedSloganText() const {
  HWND list = Control(kListBox1);
  const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? std::wstring() : ListBoxItemText(list, index);
}

void TMainForm::CopySelectedSlogan() {
  const std::wstring slogan = SelectedSloganText();
  if (!slogan.empty()) CopyTextToClipboard(hwnd(), slogan);
}

void TMainForm::ToggleHold(PhrasePosition position) {
  const ShownSlogan* slogan = SelectedSlogan();
  const auto part = static_cast<std::size_t>(position);
  if (!slogan || slogan->wide_parts[part].empty()) return;
  std::optional<ShiftJisText>& held = ActiveStoragePage().holds.at(position);
  if (IsHeld(*slogan, part))
    held.reset();
  else
    held = slogan->parts[part];
  InvalidateRect(Control(kListBox1), nullptr, TRUE);
}

void TMainForm::OnMenuCommand(int command) {
  switch (command) {
    case kMenuStore:
      ListBox1DblClick();
      break;
    case kMenuCopy:
      CopySelectedSlogan();
      break;
    case kMenuHoldUpper:
      ToggleHold(PhrasePosition::Upper);
      break;
    case kMenuHoldMiddle:
      ToggleHold(PhrasePosition::Middle);
      break;
    case kMenuHoldLower:
      ToggleHold(PhrasePosition::Lower);
      break;
    case kMenuReleaseHolds:
      ActiveStoragePage().holds = PhraseHolds();
      InvalidateRect(Control(kListBox1), nullptr, TRUE);
      break;
    case kMenuPoster: {
      const std::wstring slogan = SelectedSloganText();
      if (!slogan.empty())
        ShowPosterForm(hwnd(), ActiveStoragePage().theme,
                       std::u16string(AsU16(slogan)));
      break;
    }
    default:
      OnStorageMenuCommand(command);
  }
}

void TMainForm::OnStorageMenuCommand(int command) {
  HWND box = ActiveStoragePage().memo;
  if (!box) return;
  // The text box's own items are its own messages.
  struct EditCommand {
    int command;
    UINT message;
    LPARAM l;
  };
  static constexpr EditCommand kEditCommands[] = {
      {kStorageUndo, WM_UNDO, 0},    {kStorageCut, WM_CUT, 0},
      {kStorageCopy, WM_COPY, 0},    {kStoragePaste, WM_PASTE, 0},
      {kStorageDelete, WM_CLEAR, 0}, {kStorageSelectAll, EM_SETSEL, -1},
  };
  for (const EditCommand& edit : kEditCommands)
    if (edit.command == command) SendMessageW(box, edit.message, 0, edit.l);
  switch (command) {
    case kStoragePoster: {
      const std::u16string line = LineAtCaret(box, WindowTextOf(box));
      if (!SloganParts(line).empty())
        ShowPosterForm(hwnd(), ActiveStoragePage().theme, line);
      break;
    }
    case kStorageVoteSheet:
      ExportVoteSheet(hwnd(), ActiveStoragePage().theme,
                      AsU16(WindowTextOf(box)),
                      RunningExecutablePath().parent_path());
      break;
  }
}

std::u16string TMainForm::LineAtCaret(HWND box, std::wstring_view text) {
  DWORD start = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  const std::size_t caret = std::min<std::size_t>(start, text.size());
  // The box does not wrap, so its lines are the text's.
  const std::size_t begin =
      text.find_last_of(L"\r\n", caret == 0 ? 0 : caret - 1);
  const std::size_t from =
      caret == 0 || begin == std::wstring_view::npos ? 0 : begin + 1;
  const std::size_t to =
      std::min(text.find_first_of(L"\r\n", from), text.size());
  return std::u16string(AsU16(text.substr(from, to - from)));
}

bool TMainForm::StorageMenuItemEnabled(HWND box, std::wstring_view text,
                                       StorageMenuNeed need) {
  switch (need) {
    case StorageMenuNeed::Undo:
      return SendMessageW(box, EM_CANUNDO, 0, 0) != 0;
    case StorageMenuNeed::Selection: {
      DWORD start = 0, end = 0;
      SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
      return start != end;
    }
    case StorageMenuNeed::ClipboardText:
      return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    case StorageMenuNeed::Text:
      return !text.empty();
    case StorageMenuNeed::SloganAtCaret:
      return !SloganParts(LineAtCaret(box, text)).empty();
    case StorageMenuNeed::Slogans:
      return !SheetSlogans(AsU16(text)).empty();
  }
  return false;
}

void TMainForm::ShowStorageMenu(HWND box, LPARAM at) {
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {
    // From the keyboard: at the caret.
    DWORD start = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const LRESULT place = SendMessageW(box, EM_POSFROMCHAR, start, 0);
    point = place == -1 ? POINT{0, 0}
                        : POINT{GET_X_LPARAM(place), GET_Y_LPARAM(place)};
    ClientToScreen(box, &point);
  }
  SetFocus(box);
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  const std::wstring text = WindowTextOf(box);
  for (const StorageMenuItem& item : kStorageMenu)
    AppendMenuItem(menu.get(), item.separator_before,
                   StorageMenuItemEnabled(box, text, item.need) ? 0 : MF_GRAYED,
                   item.command, item.caption);
  TrackMenuFor(hwnd(), menu.get(), point);
}

void TMainForm::WatchStorageBox(HWND box) {
  SetWindowSubclass(box, StorageBoxProcedure, 0,
                    reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TMainForm::StorageBoxProcedure(HWND box, UINT message,
                                                WPARAM w, LPARAM l, UINT_PTR id,
                                                DWORD_PTR form) {
  if (message == WM_CONTEXTMENU) {
    // Nothing may leave a window procedure: a failure goes to the report.
    try {
      reinterpret_cast<TMainForm*>(form)->ShowStorageMenu(box, l);
    } catch (...) {
      ReportCurrentException(GetAncestor(box, GA_ROOT));
    }
    return 0;
  }
  if (message == WM_NCDESTROY)
    RemoveWindowSubclass(box, StorageBoxProcedure, id);
  return DefSubclassProc(box, message, w, l);
}

void TMainForm::ShowSloganMenu(LPARAM at) {
  HWND list = Control(kListBox1);
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {
    // From the keyboard: below the selected row, or at the list's corner.
    RECT row{};
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR ||
        SendMessageW(list, LB_GETITEMRECT, index,
                     reinterpret_cast<LPARAM>(&row)) == LB_ERR)
      row = RECT{};
    point = POINT{row.left, row.bottom};
    ClientToScreen(list, &point);
  } else {
    // A right click selects the row under it first.
    POINT inside = point;
    ScreenToClient(list, &inside);
    const LRESULT hit =
        SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(inside.x, inside.y));
    if (HIWORD(hit) == 0) SendMessageW(list, LB_SETCURSEL, LOWORD(hit), 0);
  }
  const ShownSlogan* slogan = SelectedSlogan();
  const PhraseHolds& holds = ActiveStoragePage().holds;
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  for (const SloganMenuItem& item : kSloganMenu) {
    UINT flags = 0;
    if (item.needs_slogan && !slogan) flags |= MF_GRAYED;
    if (item.command == kMenuReleaseHolds && !holds.any()) flags |= MF_GRAYED;
    const int part = item.command - kMenuHoldUpper;
    if (part >= 0 && part < static_cast<int>(kPhrasePositions) && slogan &&
        IsHeld(*slogan, static_cast<std::size_t>(part)))
      flags |= MF_CHECKED;
    AppendMenuItem(menu.get(), item.separator_before, flags, item.command,
                   item.caption);
  }
  TrackMenuFor(hwnd(), menu.get(), point);
}

void TMainForm::BitBtn2Click() { ShowInfoForm(hwnd()); }

void TMainForm::PageControl1Change() {
  StoragePage& active = ActiveStoragePage();
  if (!active.memo) MakeStorageBox(active);
  for (const StoragePage& page : pages_)
    if (page.memo) ShowWindow(page.memo, &page == &active ? SW_SHOW : SW_HIDE);
  BitBtn1Click();
}

void TMainForm::ListBox1DblClick() {
  const std::wstring slogan = SelectedSloganText();
  if (slogan.empty()) return;

  HWND memo = ActiveStoragePage().memo;
  const std::wstring text = WindowTextOf(memo);
  const BasicStorageEdit<wchar_t> edit = PlanStoreSlogan(
      std::wstring_view(text), std::wstring_view(slogan), SlogansMatchWide);
  // Applied as edits of the box, so that it keeps its undo.
  if (edit.removes_line) {
    SendMessageW(memo, EM_SETSEL, edit.remove_begin, edit.remove_end);
    SendMessageW(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
  }
  const LRESULT end = GetWindowTextLengthW(memo);
  SendMessageW(memo, EM_SETSEL, end, end);
  SendMessageW(memo, EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(edit.appended.c_str()));
  SendMessageW(memo, EM_SCROLLCARET, 0, 0);
}

void TMainForm::MoveFocus(bool backwards) {
  std::vector<HWND> order;
  for (MainFormControl id : kMainFormTabOrder) {
    // The storage boxes take turns in one place: the active page's.
    if (id == kMemQuality) continue;
    HWND control = id == kMemSafe ? ActiveStoragePage().memo : Control(id);
    if (IsWindowVisible(control) && IsWindowEnabled(control))
      order.push_back(control);
  }
  if (order.empty()) return;
  HWND focus = GetFocus();
  std::size_t at = order.size() - 1;
  for (std::size_t i = 0; i < order.size(); ++i)
    if (order[i] == focus) at = i;
  const std::size_t next = backwards ? (at + order.size() - 1) % order.size()
                                     : (at + 1) % order.size();
  // A storage box keeps its selection: with everything selected, one
  // keystroke would replace the whole list.
  SetFocus(order[next]);
}

void TMainForm::SwitchPage(int step) {
  HWND tabs = Control(kPageControl1);
  const int pages =
      static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  if (pages <= 0) return;
  const int next = (ActivePageIndex() + step + pages) % pages;
  SendMessageW(tabs, TCM_SETCURSEL, next, 0);
  PageControl1Change();
}

bool TMainForm::PreTranslateMessage(const MSG& message) {
  if (message.message != WM_KEYDOWN || !hwnd() ||
      (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)))
    return false;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  if (message.wParam == VK_TAB) {
    if (control) {
      const int id = GetDlgCtrlID(message.hwnd);
      if (id != kPageControl1 && !IsStorageBox(message.hwnd)) return false;
      SwitchPage(shift ? -1 : 1);
    } else {
      MoveFocus(shift);
    }
    return true;
  }
  if (message.hwnd == Control(kListBox1)) {
    if (message.wParam == VK_RETURN) {
      ListBox1DblClick();
      return true;
    }
    if (control && message.wParam == 'C') {
      CopySelectedSlogan();
      return true;
    }
  }
  if (message.wParam == VK_RETURN) {
    const int id = GetDlgCtrlID(message.hwnd);
    if (id == kBitBtn1 || id == kBitBtn2) {
      SendMessageW(message.hwnd, BM_CLICK, 0, 0);
      return true;
    }
  }
  return false;
}

}  // namespace tavlin
