#include "win32/system/clipboard_win32.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "win32/system/bgr_rows_win32.h"
#include "win32/system/shift_jis.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

namespace {

constexpr LCID kJapanese = 0x0411;

// Open for as long as it lives; another program may hold the clipboard for
// a moment, so opening is tried a few times.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_) Sleep(20);
    }
    if (!open_) throw TavlinError(kCannotOpenClipboard);
  }
  ~OpenClipboardScope() { CloseClipboard(); }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;

 private:
  bool open_ = false;
};

// Hands size bytes from data to the clipboard under format.
void Put(UINT format, const void* data, std::size_t size) {
  UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
  void* target = memory ? GlobalLock(memory.get()) : nullptr;
  if (!target) throw TavlinError(kOutOfMemory);
  std::memcpy(target, data, size);
  GlobalUnlock(memory.get());
  if (!SetClipboardData(format, memory.get()))
    throw TavlinError(kCannotCopyToClipboard);
  memory.release();  // the clipboard owns it now
}

}  // namespace

void CopyTextToClipboard(HWND owner, std::wstring_view text) {
  const std::wstring unicode(text);
  const ShiftJisText shift_jis = ShiftJisFromWide(text);
  const OpenClipboardScope clipboard(owner);
  if (!EmptyClipboard()) throw TavlinError(kCannotCopyToClipboard);
  Put(CF_UNICODETEXT, unicode.c_str(), (unicode.size() + 1) * sizeof(wchar_t));
  Put(CF_TEXT, shift_jis.bytes().c_str(), shift_jis.bytes().size() + 1);
  Put(CF_LOCALE, &kJapanese, sizeof kJapanese);
}

void CopyPictureToClipboard(HWND owner, const void* pixels, int width,
                            int height) {
  // Rows bottom first: the form every program that pastes pictures reads.
  const std::size_t stride = Bgr24Stride(width);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage =
      static_cast<DWORD>(stride * static_cast<std::size_t>(height));
  std::vector<std::uint8_t> dib(sizeof header + header.biSizeImage);
  std::memcpy(dib.data(), &header, sizeof header);
  const auto* source = static_cast<const std::uint8_t*>(pixels);
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* from =
        source + static_cast<std::size_t>(height - 1 - row) * width * 4;
    PackBgr24Row(from, dib.data() + sizeof header + row * stride, width);
  }
  const OpenClipboardScope clipboard(owner);
  if (!EmptyClipboard()) throw TavlinError(kCannotCopyToClipboard);
  Put(CF_DIB, dib.data(), dib.size());
}

}  // namespace tavlin
