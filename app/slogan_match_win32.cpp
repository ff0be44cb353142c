#include <windows.h>

#include "app/slogan_match.h"
#include "platform/shift_jis.h"

bool SlogansMatch(std::string_view line, std::string_view slogan) {
  const std::wstring wide_line = WideFromShiftJis(line);
  const std::wstring wide_slogan = WideFromShiftJis(slogan);
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wide_line.data(),
                        static_cast<int>(wide_line.size()), wide_slogan.data(),
                        static_cast<int>(wide_slogan.size())) == CSTR_EQUAL;
}
