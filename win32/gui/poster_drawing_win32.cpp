#include "win32/gui/poster_drawing_win32.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "src/platform/unicode_text.h"
#include "win32/system/device_context_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD,
                      LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool HasFace(HDC dc, std::wstring_view face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(dc, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found),
                      0);
  return found;
}

std::wstring FirstFaceOf(HDC dc, std::initializer_list<const wchar_t*> faces) {
  for (const wchar_t* face : faces)
    if (HasFace(dc, face)) return face;
  return *faces.begin();
}

// The vertical ("@") face the system has: Windows' own first, then the IPA
// fonts of other systems. Without one, the first name lets the system pick.
// Looked for once: the preview draws at every change.
const std::wstring& VerticalFace(HDC dc, bool gothic) {
  static const std::wstring mincho =
      FirstFaceOf(dc, {L"@游明朝", L"@Yu Mincho", L"@ＭＳ 明朝", L"@MS Mincho",
                       L"@IPAMincho", L"@IPA明朝"});
  static const std::wstring gothic_face =
      FirstFaceOf(dc, {L"@游ゴシック", L"@Yu Gothic", L"@ＭＳ ゴシック",
                       L"@MS Gothic", L"@IPAGothic", L"@IPAゴシック"});
  return gothic ? gothic_face : mincho;
}

UniqueFont MakeFont(int size, bool vertical, const std::wstring& face) {
  const int angle = vertical ? 2700 : 0;
  UniqueFont font(CreateFontW(-size, 0, angle, angle, FW_NORMAL, FALSE, FALSE,
                              FALSE, SHIFTJIS_CHARSET, OUT_TT_PRECIS,
                              CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                              DEFAULT_PITCH, face.c_str()));
  if (!font) throw TavlinError(kCannotCreateFont);
  return font;
}

void DrawFooter(HDC dc, const RECT& page_area, const PosterLayout& layout,
                const std::wstring& face, std::wstring_view footer) {
  int size = layout.footer_size;
  const int room = page_area.right - page_area.left - 2 * layout.margin;
  UniqueFont font = MakeFont(size, false, face);
  {
    // A line wider than the page between its margins is made smaller.
    const SelectedObject selected(dc, font.get());
    SIZE extent{};
    GetTextExtentPoint32W(dc, footer.data(), static_cast<int>(footer.size()),
                          &extent);
    if (extent.cx > room)
      size = std::max(
          1, static_cast<int>(static_cast<long long>(size) * room / extent.cx));
  }
  if (size != layout.footer_size) font = MakeFont(size, false, face);
  const SelectedObject selected(dc, font.get());
  SetTextAlign(dc, TA_TOP | TA_CENTER);
  TextOutW(dc, (page_area.left + page_area.right) / 2,
           page_area.top + layout.footer_top, footer.data(),
           static_cast<int>(footer.size()));
}

}  // namespace

void DrawPoster(HDC dc, const RECT& page_area, const PosterText& text) {
  FillRect(dc, &page_area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const PosterPage page{page_area.right - page_area.left,
                        page_area.bottom - page_area.top};
  const std::vector<std::u16string> parts = SloganParts(text.slogan);
  std::vector<std::size_t> lengths;
  for (const std::u16string& part : parts)
    lengths.push_back(CharacterCount(part));
  const std::u16string_view footer = TrimSpaces(text.footer);
  const PosterLayout layout = LayOutPoster(lengths, page, !footer.empty());

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  const std::wstring& face = VerticalFace(dc, text.gothic);
  if (layout.character_size > 0) {
    const UniqueFont font = MakeFont(layout.character_size, true, face);
    const SelectedObject selected(dc, font.get());
    // Written downwards, a line's cell lies to the left of its starting
    // point: half a character right of the centre puts it on the centre.
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    for (std::size_t n = 0; n < parts.size(); ++n) {
      const PosterColumn& column = layout.columns[n];
      const std::wstring_view part = AsWide(parts[n]);
      TextOutW(dc, page_area.left + column.centre_x + layout.character_size / 2,
               page_area.top + column.top, part.data(),
               static_cast<int>(part.size()));
    }
  }
  // The foot line reads across, in the same family.
  if (!footer.empty())
    DrawFooter(dc, page_area, layout, face.substr(1), AsWide(footer));
}

PosterBitmap RenderPoster(PosterPage page, const PosterText& text) {
  const WindowDc screen(nullptr);
  const UniqueDc dc(CreateCompatibleDC(screen.get()));
  if (!dc) throw TavlinError(kCannotDrawPoster);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = page.width;
  info.bmiHeader.biHeight = -page.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  PosterBitmap result;
  result.bitmap.reset(
      CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!result.bitmap || !pixels) throw TavlinError(kCannotDrawPoster);
  {
    const SelectedObject selected(dc.get(), result.bitmap.get());
    DrawPoster(dc.get(), RECT{0, 0, page.width, page.height}, text);
    GdiFlush();
  }
  result.pixels = pixels;
  result.page = page;
  return result;
}

}  // namespace tavlin
