#include "src/rhythm/workplace_readings.h"

#include <algorithm>

#include "src/platform/unicode_text.h"
#include "src/rhythm/mora_count.h"

namespace tavlin {

WorkplaceReadings WorkplaceReadings::FromText(
    std::u16string_view text, std::vector<std::size_t>& bad_lines) {
  WorkplaceReadings readings;
  std::size_t number = 0;
  ForEachTextLine(text, [&](std::u16string_view line) {
    ++number;
    if (TrimSpaces(line).empty()) return;
    const std::size_t tab = line.find(u'\t');
    const std::u16string_view word = tab == std::u16string_view::npos
                                         ? u""
                                         : TrimSpaces(line.substr(0, tab));
    const std::u16string_view reading = tab == std::u16string_view::npos
                                            ? u""
                                            : TrimSpaces(line.substr(tab + 1));
    const MoraCount count = CountKanaMorae(reading);
    if (word.empty() || reading.empty() || !count.countable ||
        count.morae == 0) {
      bad_lines.push_back(number);
      return;
    }
    readings.longest_ = std::max(readings.longest_, word.size());
    readings.words_[std::u16string(word)] = count.morae;
  });
  return readings;
}

std::optional<WordMorae> WorkplaceReadings::LongestWordAt(
    std::u16string_view text) const {
  for (std::size_t length = std::min(longest_, text.size()); length > 0;
       --length) {
    const auto found = words_.find(text.substr(0, length));
    if (found != words_.end()) return WordMorae{length, found->second};
  }
  return std::nullopt;
}

}  // namespace tavlin
