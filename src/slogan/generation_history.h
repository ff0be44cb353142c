// The generations a page has shown this session, to page back and forth
// through as in a browser: nothing generated is lost to the next press.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <vector>

#include "src/platform/shift_jis_text.h"
#include "src/slogan/phrase_holds.h"
#include "src/slogan/slogan_row.h"

namespace tavlin {

// One generation: its rows in the list's order (none where a phrase file
// was missing or empty), exactly as they were shown.
using ShownGeneration = SloganRows;

class GenerationHistory {
 public:
  // The last 100 generations of a page are kept, and no more than a
  // megabyte of their phrases: a page of very long phrases keeps fewer.
  static constexpr std::size_t kMaximumGenerations = 100;
  static constexpr std::size_t kMaximumBytes = 1 << 20;

  explicit GenerationHistory(
      std::size_t maximum_generations = kMaximumGenerations,
      std::size_t maximum_bytes = kMaximumBytes)
      : maximum_generations_(maximum_generations),
        maximum_bytes_(maximum_bytes) {}

  // A new generation goes at the end and is shown, also when an earlier
  // one was shown; the oldest go beyond the limits, never the newest.
  void Add(ShownGeneration generation);

  bool empty() const { return generations_.empty(); }
  bool CanGoBack() const { return !empty() && shown_ > 0; }
  bool CanGoForward() const { return !empty() && shown_ + 1 < size(); }
  // Each returns the generation now shown; call only where possible.
  const ShownGeneration& Back();
  const ShownGeneration& Forward();
  const ShownGeneration& Shown() const { return generations_[shown_]; }

  std::size_t size() const { return generations_.size(); }
  // The place of the generation shown, counting from 1: "3/7".
  std::size_t position() const { return shown_ + 1; }
  std::size_t bytes() const { return bytes_; }

 private:
  std::deque<ShownGeneration> generations_;
  std::deque<std::size_t> sizes_;  // each generation's bytes
  std::size_t shown_ = 0;
  std::size_t bytes_ = 0;
  std::size_t maximum_generations_;
  std::size_t maximum_bytes_;
};

}  // namespace tavlin
