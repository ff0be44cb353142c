#include "platform/code_page_win32.h"
#include "platform/shift_jis.h"

namespace {
constexpr UINT kShiftJis = 932;
}

std::wstring WideFromShiftJis(std::string_view bytes) {
  return WideFromCodePage(kShiftJis, bytes);
}

std::string ShiftJisFromWide(std::wstring_view text, bool* lossy) {
  return CodePageFromWide(kShiftJis, text, lossy);
}
