// The meter's counts of lines, each distinct line counted once: the phrase
// workshop counts every line of a file again at each keystroke, and most
// of them have not changed.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "src/rhythm/mora_meter.h"

namespace tavlin {

class MoraCountCache {
 public:
  // Implicit, so that one count of a text can be asked of a meter alone.
  MoraCountCache(const MoraMeter& meter) : meter_(meter) {}

  bool available() const { return meter_.available(); }
  // Call only where available.
  MoraCount Count(std::u16string_view line) const {
    const auto known = counts_.find(line);
    if (known != counts_.end()) return known->second;
    // Every line typed on the way to a phrase is one: held to a bound.
    if (counts_.size() >= kMostRemembered) counts_.clear();
    const MoraCount count = meter_.Count(line);
    counts_.emplace(std::u16string(line), count);
    return count;
  }

 private:
  static constexpr std::size_t kMostRemembered = 1 << 16;
  const MoraMeter& meter_;
  mutable std::map<std::u16string, MoraCount, std::less<>> counts_;
};

}  // namespace tavlin
