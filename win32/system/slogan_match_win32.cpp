#include "win32/system/slogan_match_win32.h"

#include <windows.h>

#include <climits>

#include "src/storage/slogan_match.h"
#include "win32/system/shift_jis.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

bool SlogansMatchWide(std::wstring_view line, std::wstring_view slogan) {
  if (line.size() > INT_MAX || slogan.size() > INT_MAX) return false;
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, line.data(),
                        static_cast<int>(line.size()), slogan.data(),
                        static_cast<int>(slogan.size())) == CSTR_EQUAL;
}

bool SlogansMatchText(std::u16string_view line, std::u16string_view slogan) {
  return SlogansMatchWide(AsWide(line), AsWide(slogan));
}

bool SlogansMatch(ShiftJisView line, ShiftJisView slogan) {
  return SlogansMatchWide(WideFromShiftJis(line), WideFromShiftJis(slogan));
}

}  // namespace tavlin
