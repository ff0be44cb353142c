#include "src/ui/export_names.h"

#include <cstdio>

namespace tavlin {

std::u16string ExportFileName(std::u16string_view theme,
                              std::u16string_view kind, CalendarDate date,
                              std::u16string_view extension) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%04d%02d%02d", date.year % 10000,
                date.month % 100, date.day % 100);
  std::u16string name(theme);
  name += u"標語_";
  if (!kind.empty()) name.append(kind).append(u"_");
  for (const char* c = digits; *c; ++c)
    name.push_back(static_cast<char16_t>(*c));
  return name.append(u".").append(extension);
}

std::u16string TallyFileName(std::u16string_view theme, CalendarDate date) {
  return ExportFileName(theme, u"集計", date, u"csv");
}

}  // namespace tavlin
