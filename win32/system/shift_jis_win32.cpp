#include "win32/system/code_page_win32.h"
#include "win32/system/shift_jis.h"

namespace tavlin {

namespace {
constexpr UINT kShiftJis = 932;
}

std::wstring WideFromShiftJis(ShiftJisView text) {
  return WideFromCodePage(kShiftJis, text.bytes());
}

ShiftJisText ShiftJisFromWide(std::wstring_view text, bool* lossy) {
  return ShiftJisText(CodePageFromWide(kShiftJis, text, lossy));
}

}  // namespace tavlin
