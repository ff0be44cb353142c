// The names the save dialogs offer for what the program writes out: the
// theme's slogans, what the file is, and the day, so that a year's campaigns
// sort by date in a folder.
#pragma once

#include <string>
#include <string_view>

namespace tavlin {

struct CalendarDate {
  int year;
  int month;
  int day;
};

// "安全標語_20261208.png", or with a kind "安全標語_投票用_20261208.csv".
std::u16string ExportFileName(std::u16string_view theme,
                              std::u16string_view kind, CalendarDate date,
                              std::u16string_view extension);

// The tally's CSV, named as the vote sheet it sums:
// "安全標語_集計_20261208.csv".
std::u16string TallyFileName(std::u16string_view theme, CalendarDate date);

}  // namespace tavlin
