#include "win32/system/code_page_win32.h"
#include "win32/system/shift_jis.h"

namespace tavlin {

namespace {
constexpr UINT kShiftJis = 932;
}

std::wstring WideFromShiftJis(std::string_view bytes) {
  return WideFromCodePage(kShiftJis, bytes);
}

std::string ShiftJisFromWide(std::wstring_view text, bool* lossy) {
  return CodePageFromWide(kShiftJis, text, lossy);
}

}  // namespace tavlin
