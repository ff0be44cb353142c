#include "win32/forms/poster_form_win32.h"

#include <commctrl.h>

#include "src/platform/atomic_save.h"
#include "src/ui/command_table.h"
#include "src/ui/export_names.h"
#include "src/ui/poster_form_layout.h"
#include "win32/gui/control_rows_win32.h"
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

}  // namespace

TPosterForm::TPosterForm(HWND owner, std::u16string theme,
                         std::u16string slogan)
    : theme_(std::move(theme)), slogan_(std::move(slogan)) {
  CreateCentredForm(kClassName, kWindowStyle, 0, kPosterFormClientSize, owner);
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
    case WM_CLOSE:
      closed_ = true;
      return 0;
  }
  return Window::HandleMessage(message, w, l);
}

void TPosterForm::OnCommand(int id, int code, HWND) {
  if ((id == kPosterFooter && code == EN_CHANGE) ||
      (id == kPosterFace && code == CBN_SELCHANGE))
    InvalidateRect(hwnd(), nullptr, FALSE);
  if (code == BN_CLICKED) RunButton(id);
}

void TPosterForm::RunButton(int id) {
  if (id == kPosterSave) SaveClick();
  if (id == kPosterPrint) PrintClick();
  if (id == kPosterCopy) CopyClick();
  if (id == kPosterClose || id == IDCANCEL) closed_ = true;
}

void TPosterForm::OnDpiChanged(const RECT& suggested) {
  Window::OnDpiChanged(suggested);
  ApplyFont();
  ApplyLayout();
}

void TPosterForm::CreateControls() {
  std::u16string title = u"ポスター（" + theme_ + u"標語）";
  SetWindowTextW(hwnd(), WideCString(title));
  CreateControlRows(hwnd(), kPosterFormLayout, kPosterFormClientSize, dpi(),
                    ClientSizeOf(hwnd()));
  for (const std::u16string_view face : kPosterFaceNames)
    SendMessageW(Control(kPosterFace), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(WideCString(std::u16string(face))));
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
  PlaceControlRows(hwnd(), kPosterFormLayout, kPosterFormClientSize, dpi(),
                   ClientSizeOf(hwnd()));
}

RECT TPosterForm::PreviewArea() const {
  const LayoutRect area = PlacedRect(kPosterPreviewArea, kPosterFormClientSize,
                                     dpi(), ClientSizeOf(hwnd()), kAnchorAll);
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
  // What a save stopped midway left there goes, once old.
  RemoveStaleTemporaryFilesOfKind(file->parent_path(), ".png",
                                  kStaleTemporaryFileAge);
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
  if (message.message == WM_KEYDOWN) {
    const unsigned modifiers = (GetKeyState(VK_CONTROL) < 0 ? kCtrl : 0u) |
                               (GetKeyState(VK_SHIFT) < 0 ? kShift : 0u);
    const std::optional<int> command =
        CommandOfKey(static_cast<std::uint16_t>(message.wParam), modifiers,
                     kOnOtherControl, kPosterCommands);
    if (command && !(*command == kPosterCopy && FootTextSelected(message))) {
      RunButton(*command);
      return true;
    }
  }
  return IsDialogMessageW(hwnd(), const_cast<MSG*>(&message)) != FALSE;
}

bool TPosterForm::FootTextSelected(const MSG& message) const {
  const HWND footer = Control(kPosterFooter);
  DWORD start = 0, end = 0;
  SendMessageW(footer, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return message.hwnd == footer && start != end;
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
