#include "win32/forms/poster_form_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "src/platform/atomic_save.h"
#include "src/platform/tavlin_error.h"
#include "src/ui/export_names.h"
#include "src/ui/poster_form_layout.h"
#include "win32/gui/modal_window_win32.h"
#include "win32/system/clipboard_win32.h"
#include "win32/system/device_context_win32.h"
#include "win32/system/file_dialog_win32.h"
#include "win32/system/known_folder_win32.h"
#include "win32/system/local_date_win32.h"
#include "win32/system/png_encoder_win32.h"
#include "win32/system/printing_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

constexpr wchar_t kClassName[] = L"TavlinPosterForm";
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int kPrintDpi = 300;
// A picture on the clipboard at half the file's resolution: enough for a
// document or a slide, and a quarter of the memory.
constexpr PosterPage kClipboardPage{kA4At300Dpi.width / 2,
                                    kA4At300Dpi.height / 2};

const wchar_t* ClassOf(PosterControlKind kind) {
  switch (kind) {
    case PosterControlKind::Label:
      return WC_STATICW;
    case PosterControlKind::Edit:
      return WC_EDITW;
    case PosterControlKind::FaceList:
      return WC_COMBOBOXW;
    case PosterControlKind::Button:
      return WC_BUTTONW;
  }
  return WC_STATICW;
}

DWORD StyleOf(PosterControlKind kind) {
  const DWORD child = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case PosterControlKind::Label:
      return child | SS_RIGHT;
    case PosterControlKind::Edit:
      return child | WS_TABSTOP | ES_AUTOHSCROLL;
    case PosterControlKind::FaceList:
      return child | WS_TABSTOP | CBS_DROPDOWNLIST;
    case PosterControlKind::Button:
      return child | WS_TABSTOP | BS_PUSHBUTTON;
  }
  return child;
}

}  // namespace

TPosterForm::TPosterForm(HWND owner, std::u16string theme,
                         std::u16string slogan)
    : theme_(std::move(theme)), slogan_(std::move(slogan)) {
  RegisterWindowClass(
      kClassName, L"MAINICON",
      reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  const int dpi = SystemDpi();
  const LayoutSize client = ScaleForDpi(kPosterFormClientSize, dpi);
  RECT bounds{0, 0, client.width, client.height};
  AdjustWindowRectEx(&bounds, kWindowStyle, FALSE, 0);
  // Centred over the owner.
  RECT over{};
  GetWindowRect(owner, &over);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const int left = (over.left + over.right - width) / 2;
  const int top = std::max(0L, (over.top + over.bottom - height) / 2);
  Create(kClassName, kWindowStyle, 0,
         RECT{left, top, left + width, top + height}, owner);
}

LRESULT TPosterForm::HandleMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      return 0;
    case WM_SIZE:
      ApplyLayout();
      InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the painting covers the whole client area
    case WM_PAINT:
      Paint();
      return 0;
    case WM_COMMAND: {
      const int id = LOWORD(w);
      const int code = HIWORD(w);
      if (id == kPosterFooter && code == EN_CHANGE)
        InvalidateRect(hwnd(), nullptr, FALSE);
      if (id == kPosterFace && code == CBN_SELCHANGE)
        InvalidateRect(hwnd(), nullptr, FALSE);
      if (code == BN_CLICKED || code == 1 /* an accelerator */) {
        if (id == kPosterSave) SaveClick();
        if (id == kPosterPrint) PrintClick();
        if (id == kPosterCopy) CopyClick();
        if (id == kPosterClose || id == IDCANCEL) closed_ = true;
      }
      return 0;
    }
    case WM_CLOSE:
      closed_ = true;
      return 0;
  }
  return Window::HandleMessage(message, w, l);
}

void TPosterForm::OnDpiChanged(const RECT& suggested) {
  Window::OnDpiChanged(suggested);
  ApplyFont();
  ApplyLayout();
}

void TPosterForm::CreateControls() {
  std::u16string title = u"ポスター（" + theme_ + u"標語）";
  SetWindowTextW(hwnd(), WideCString(title));
  for (const PosterControl& control : kPosterFormLayout) {
    const std::u16string caption(control.caption);
    const LayoutRect rect = ScaleForDpi(control.rect, dpi());
    if (!CreateWindowExW(
            control.kind == PosterControlKind::Edit ? WS_EX_CLIENTEDGE : 0,
            ClassOf(control.kind), WideCString(caption), StyleOf(control.kind),
            rect.left, rect.top, rect.width, rect.height, hwnd(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
            GetModuleHandleW(nullptr), nullptr))
      throw TavlinError("コントロールを作成できません");
  }
  for (const std::u16string_view face : kPosterFaceNames) {
    const std::u16string name(face);
    SendMessageW(Control(kPosterFace), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(WideCString(name)));
  }
  SendMessageW(Control(kPosterFace), CB_SETCURSEL, 0, 0);
  SendMessageW(Control(kPosterFooter), EM_SETLIMITTEXT, 100, 0);
  ApplyFont();
}

void TPosterForm::ApplyFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  // The message font at the system's DPI, scaled to the window's.
  metrics.lfMessageFont.lfHeight =
      MulDiv(metrics.lfMessageFont.lfHeight, dpi(), SystemDpi());
  font_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
  for (const PosterControl& control : kPosterFormLayout)
    SendMessageW(Control(control.id), WM_SETFONT,
                 reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

void TPosterForm::ApplyLayout() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const LayoutSize size{client.right, client.bottom};
  for (const PosterControl& control : kPosterFormLayout) {
    const LayoutRect rect = PlacedRect(control.rect, kPosterFormClientSize,
                                       dpi(), size, control.anchors);
    MoveWindow(Control(control.id), rect.left, rect.top, rect.width,
               rect.height, TRUE);
  }
}

RECT TPosterForm::PreviewArea() const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const LayoutRect area =
      PlacedRect(kPosterPreviewArea, kPosterFormClientSize, dpi(),
                 LayoutSize{client.right, client.bottom}, kAnchorAll);
  return RECT{area.left, area.top, area.left + area.width,
              area.top + area.height};
}

PosterText TPosterForm::CurrentText() const {
  PosterText text;
  text.slogan = slogan_;
  text.footer = AsU16(WindowTextOf(Control(kPosterFooter)));
  text.gothic = SendMessageW(Control(kPosterFace), CB_GETCURSEL, 0, 0) == 1;
  return text;
}

void TPosterForm::Paint() {
  const PaintDc paint(hwnd());
  RECT client{};
  GetClientRect(hwnd(), &client);
  // Drawn off the screen first, so that resizing does not flicker.
  const UniqueDc buffer(CreateCompatibleDC(paint.get()));
  const UniqueGdiObject bitmap(
      CreateCompatibleBitmap(paint.get(), client.right, client.bottom));
  if (!buffer || !bitmap) return;
  const SelectedObject selected(buffer.get(), bitmap.get());
  FillRect(buffer.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
  const RECT area = PreviewArea();
  FillRect(buffer.get(), &area, GetSysColorBrush(COLOR_APPWORKSPACE));
  // The page, as large as the area holds in its own proportions.
  const LayoutRect page =
      FitCentred({kA4At300Dpi.width, kA4At300Dpi.height},
                 {area.left + 4, area.top + 4, area.right - area.left - 8,
                  area.bottom - area.top - 8});
  if (page.width > 0 && page.height > 0) {
    const RECT drawn{page.left, page.top, page.left + page.width,
                     page.top + page.height};
    const RECT shadow{drawn.left + 3, drawn.top + 3, drawn.right + 3,
                      drawn.bottom + 3};
    FillRect(buffer.get(), &shadow, GetSysColorBrush(COLOR_3DDKSHADOW));
    DrawPoster(buffer.get(), drawn, CurrentText());
  }
  BitBlt(paint.get(), 0, 0, client.right, client.bottom, buffer.get(), 0, 0,
         SRCCOPY);
}

void TPosterForm::SaveClick() {
  SaveFileChoice choice;
  choice.title = L"ポスターを保存";
  choice.filter = FileTypeFilter(L"PNG 画像 (*.png)", L"*.png");
  choice.default_extension = L"png";
  choice.folder = PicturesFolder();
  choice.file_name =
      std::wstring(AsWide(ExportFileName(theme_, u"", LocalDate(), u"png")));
  const std::optional<std::filesystem::path> file =
      AskWhereToSave(hwnd(), choice);
  if (!file) return;
  const PosterBitmap poster = RenderPoster(kA4At300Dpi, CurrentText());
  const std::string png = EncodePng(poster.pixels, poster.page.width,
                                    poster.page.height, kPrintDpi);
  SaveFileAtomically(*file, png, ExistingFile::Replace);
}

void TPosterForm::PrintClick() {
  const PosterText text = CurrentText();
  PrintOnePage(hwnd(), L"Tavlin ポスター", kA4At300Dpi.width,
               kA4At300Dpi.height,
               [&](HDC dc, const RECT& page) { DrawPoster(dc, page, text); });
}

void TPosterForm::CopyClick() {
  const PosterBitmap poster = RenderPoster(kClipboardPage, CurrentText());
  CopyPictureToClipboard(hwnd(), poster.pixels, poster.page.width,
                         poster.page.height);
}

bool TPosterForm::PreTranslateMessage(const MSG& message) {
  if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) return false;
  if (message.message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0) {
    const HWND footer = Control(kPosterFooter);
    DWORD start = 0, end = 0;
    SendMessageW(footer, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    // Ctrl+C copies the foot line's selected text where there is one, as
    // in any text box; otherwise the poster.
    const bool text_selected = message.hwnd == footer && start != end;
    int command = 0;
    if (message.wParam == 'S') command = kPosterSave;
    if (message.wParam == 'P') command = kPosterPrint;
    if (message.wParam == 'C' && !text_selected) command = kPosterCopy;
    if (command) {
      SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(command, 1), 0);
      return true;
    }
  }
  return IsDialogMessageW(hwnd(), const_cast<MSG*>(&message)) != FALSE;
}

void TPosterForm::ShowModal() {
  ShowWindow(hwnd(), SW_SHOW);
  UpdateWindow(hwnd());
  SetFocus(Control(kPosterFooter));
  RunModalLoop(closed_, [&](const MSG& message) {
    return PreTranslateMessage(message);
  });
}

void ShowPosterForm(HWND owner, std::u16string theme, std::u16string slogan) {
  TPosterForm form(owner, std::move(theme), std::move(slogan));
  // Declared after the window, so that the owner is enabled again before
  // the window goes, on every path: activation then returns to it.
  const OwnerDisabled disabled(owner);
  form.ShowModal();
}

}  // namespace tavlin
