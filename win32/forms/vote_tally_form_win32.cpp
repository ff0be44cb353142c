#include "win32/forms/vote_tally_form_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "src/platform/atomic_save.h"
#include "src/storage/vote_tally_export.h"
#include "src/ui/command_table.h"
#include "src/ui/export_names.h"
#include "src/ui/tally_form_layout.h"
#include "win32/forms/main_form_font_win32.h"
#include "win32/forms/poster_form_win32.h"
#include "win32/gui/control_rows_win32.h"
#include "win32/gui/modal_window_win32.h"
#include "win32/gui/window_win32.h"
#include "win32/system/clipboard_win32.h"
#include "win32/system/file_dialog_win32.h"
#include "win32/system/local_date_win32.h"
#include "win32/system/unique_handle_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr wchar_t kClassName[] = L"TavlinTallyForm";
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int kWidestLineGuess = 14;  // pixels a character, at 96 dpi
// A sheet of wrong cells in every row would otherwise keep the window from
// opening for as long as the list box takes them in.
constexpr std::size_t kMostProblemsShown = 1000;

// Digits without the C library's wide formatting, which the program has no
// other use for.
std::wstring Number(std::size_t number) {
  const std::string digits = std::to_string(number);
  return std::wstring(digits.begin(), digits.end());
}

std::wstring CellText(const TalliedSlogan& row, int column) {
  switch (column) {
    case 0:
      return Number(row.rank);
    case kTallySloganColumn: {
      std::wstring text(AsWide(row.slogan));
      if (!row.list_position) text += AsWide(kNotInListMark);
      return text;
    }
    case 2:
      return Number(row.votes);
    case 3:
      return Number(row.voters);
    default:
      return std::wstring(AsWide(row.rhythm));
  }
}

class TTallyForm final : public Window {
 public:
  TTallyForm(HWND owner, const VoteTallyShown& shown) : shown_(shown) {
    // The list view's class, registered at the first tally rather than at
    // every start.
    static const bool list_views = [] {
      INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
      return InitCommonControlsEx(&controls) != FALSE;
    }();
    static_cast<void>(list_views);
    CreateCentredForm(kClassName, kWindowStyle, 0, kTallyFormClientSize,
                      owner);
  }
  ~TTallyForm() override { DestroyNow(); }

  void ShowModal() {
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
    // The winner chosen and the list in hand: Enter makes its poster.
    const HWND list = Control(kTallyList);
    LVITEMW first{};
    first.stateMask = first.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    SetFocus(list);
    RunModalLoop(closed_, [&](const MSG& message) {
      return PreTranslateMessage(message);
    });
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override {
    switch (message) {
      case WM_CREATE:
        CreateControls();
        return 0;
      case WM_SIZE:
        ApplyLayout();
        return 0;
      case WM_CLOSE:
        closed_ = true;
        return 0;
    }
    return Window::HandleMessage(message, w, l);
  }

  void CreateControls() {
    SetWindowTextW(hwnd(), WideCString(u"投票の集計 - " + shown_.theme));
    CreateControlRows(hwnd(), kTallyFormLayout, kTallyFormClientSize, dpi(),
                      ClientSizeOf(hwnd()));
    SetWindowTextW(Control(kTallySummary),
                   WideCString(TallySummaryLine(shown_.tally.summary)));
    const HWND list = Control(kTallyList);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 LVS_EX_FULLROWSELECT);
    for (int column = 0; column < int{std::size(kTallyColumns)}; ++column) {
      std::u16string heading(kTallyColumns[column].heading);
      LVCOLUMNW added{};
      added.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
      added.fmt = kTallyColumns[column].numbers ? LVCFMT_RIGHT : LVCFMT_LEFT;
      added.cx = ScaleForDpi(kTallyColumns[column].width, dpi());
      added.pszText = WideBuffer(heading);
      SendMessageW(list, LVM_INSERTCOLUMNW, column,
                   reinterpret_cast<LPARAM>(&added));
    }
    SendMessageW(list, LVM_SETITEMCOUNT, shown_.tally.slogans.size(), 0);
    FillProblems();
    ApplyFont();
    ApplyLayout();
  }

  void FillProblems() {
    const HWND problems = Control(kTallyProblems);
    std::size_t longest = 0;
    const auto add = [&](const std::u16string& line) {
      longest = std::max(longest, line.size());
      SendMessageW(problems, LB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(WideCString(line)));
    };
    const std::vector<VoteProblem>& found = shown_.tally.problems;
    for (std::size_t i = 0; i < found.size() && i < kMostProblemsShown; ++i)
      add(VoteProblemLine(found[i]));
    if (found.size() > kMostProblemsShown) {
      const std::wstring more = Number(found.size() - kMostProblemsShown);
      add(u"ほか " + std::u16string(AsU16(more)) + u" 件");
    }
    if (found.empty()) add(u"ありません");
    SendMessageW(problems, LB_SETHORIZONTALEXTENT,
                 static_cast<WPARAM>(ScaleForDpi(
                     static_cast<int>(longest) * kWidestLineGuess, dpi())),
                 0);
  }

  void ApplyFont() {
    font_ = CreateMainFormFont(dpi(), FW_NORMAL);
    for (const TallyControl& row : kTallyFormLayout)
      SendMessageW(Control(row.id), WM_SETFONT,
                   reinterpret_cast<WPARAM>(font_.get()), TRUE);
  }

  void ApplyLayout() {
    PlaceControlRows(hwnd(), kTallyFormLayout, kTallyFormClientSize, dpi(),
                     ClientSizeOf(hwnd()));
    // The slogan's column takes the width the other columns leave.
    const HWND list = Control(kTallyList);
    RECT inside{};
    GetClientRect(list, &inside);
    int left = inside.right;
    for (int column = 0; column < int{std::size(kTallyColumns)}; ++column) {
      if (column == kTallySloganColumn) continue;
      const int width = ScaleForDpi(kTallyColumns[column].width, dpi());
      left -= width;
      SendMessageW(list, LVM_SETCOLUMNWIDTH, column, width);
    }
    const int slogan_width =
        ScaleForDpi(kTallyColumns[kTallySloganColumn].width, dpi());
    SendMessageW(list, LVM_SETCOLUMNWIDTH, kTallySloganColumn,
                 std::max(left, slogan_width));
  }

  void OnDpiChanged(const RECT& suggested) override {
    Window::OnDpiChanged(suggested);
    ApplyFont();
    ApplyLayout();
  }

  LRESULT OnNotify(const NMHDR& header) override {
    if (header.idFrom != kTallyList) return 0;
    if (header.code == LVN_GETDISPINFOW)
      ShowCell(const_cast<NMLVDISPINFOW&>(
          reinterpret_cast<const NMLVDISPINFOW&>(header)));
    if (header.code == LVN_ITEMACTIVATE) Dispatch(kTallyPoster);
    return 0;
  }

  // The list asks for each cell it shows.
  void ShowCell(NMLVDISPINFOW& asked) const {
    const auto row = static_cast<std::size_t>(asked.item.iItem);
    if ((asked.item.mask & LVIF_TEXT) == 0 || !asked.item.pszText ||
        asked.item.cchTextMax <= 0 || row >= shown_.tally.slogans.size())
      return;
    const std::wstring text =
        CellText(shown_.tally.slogans[row], asked.item.iSubItem);
    lstrcpynW(asked.item.pszText, text.c_str(), asked.item.cchTextMax);
  }

  void OnCommand(int id, int code, HWND) override {
    if (code != BN_CLICKED) return;
    // IDOK is what Enter sends from outside a button, IDCANCEL what Esc
    // sends.
    if (id == IDOK) id = kTallyPoster;
    if (id == IDCANCEL) id = kTallyClose;
    Dispatch(id);
  }

  bool PreTranslateMessage(const MSG& message) {
    if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) return false;
    if (message.message == WM_KEYDOWN) {
      const unsigned modifiers = (GetKeyState(VK_CONTROL) < 0 ? kCtrl : 0u) |
                                 (GetKeyState(VK_SHIFT) < 0 ? kShift : 0u);
      if (const std::optional<int> command =
              CommandOfKey(static_cast<std::uint16_t>(message.wParam),
                           modifiers, kOnOtherControl, kTallyCommands)) {
        Dispatch(*command);
        return true;
      }
    }
    return IsDialogMessageW(hwnd(), const_cast<MSG*>(&message)) != FALSE;
  }

  // The one way the window's commands run: buttons and keys alike.
  void Dispatch(int command) {
    switch (command) {
      case kTallyPoster:
        return MakePoster();
      case kTallySave:
        return SaveClick();
      case kTallyCopy:
        return CopyTextToClipboard(hwnd(),
                                   AsWide(TallyClipboardText(shown_.tally)));
      case kTallyClose:
        closed_ = true;
        return;
    }
  }

  void MakePoster() {
    const LRESULT row = SendMessageW(Control(kTallyList), LVM_GETNEXTITEM,
                                     static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (row < 0 || static_cast<std::size_t>(row) >= shown_.tally.slogans.size())
      return;
    ShowPosterForm(hwnd(), shown_.theme,
                   shown_.tally.slogans[static_cast<std::size_t>(row)].slogan);
  }

  void SaveClick() {
    SaveFileChoice choice;
    choice.title = L"結果を書き出す";
    choice.filter = FileTypeFilter(L"CSV (コンマ区切り) (*.csv)", L"*.csv");
    choice.default_extension = L"csv";
    choice.folder = shown_.sheets_folder;
    choice.file_name =
        std::wstring(AsWide(TallyFileName(shown_.theme, LocalDate())));
    const std::optional<std::filesystem::path> file =
        AskWhereToSave(hwnd(), choice);
    if (!file) return;
    SaveFileAtomically(*file, TallyCsv(shown_.tally), ExistingFile::Replace);
    // What a save stopped midway left there goes, once old.
    RemoveStaleTemporaryFilesOfKind(file->parent_path(), ".csv",
                                    kStaleTemporaryFileAge);
  }

  HWND Control(int id) const { return GetDlgItem(hwnd(), id); }

  const VoteTallyShown& shown_;
  UniqueFont font_;
  bool closed_ = false;
};

}  // namespace

// Modal, as the poster window it opens is: the tally is of the list as it
// stood when the sheets were read, and a list that changed beneath it
// would make its 一覧にない wrong.
void ShowVoteTallyForm(HWND owner, const VoteTallyShown& shown) {
  TTallyForm form(owner, shown);
  // After the window, so that the owner takes input again before the
  // window goes: activation then returns to it.
  const OwnerDisabled disabled(owner);
  form.ShowModal();
}

}  // namespace tavlin
