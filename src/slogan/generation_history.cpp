#include "src/slogan/generation_history.h"

#include <utility>

namespace tavlin {

namespace {

std::size_t BytesOf(const ShownGeneration& generation) {
  std::size_t bytes = 0;
  for (const SloganRow& row : generation) bytes += row.PartBytes();
  return bytes;
}

}  // namespace

void GenerationHistory::Add(ShownGeneration generation) {
  const std::size_t size = BytesOf(generation);
  generations_.push_back(std::move(generation));
  sizes_.push_back(size);
  bytes_ += size;
  while (
      generations_.size() > 1 &&
      (generations_.size() > maximum_generations_ || bytes_ > maximum_bytes_)) {
    bytes_ -= sizes_.front();
    generations_.pop_front();
    sizes_.pop_front();
  }
  shown_ = generations_.size() - 1;
}

const ShownGeneration& GenerationHistory::Back() {
  if (CanGoBack()) --shown_;
  return Shown();
}

const ShownGeneration& GenerationHistory::Forward() {
  if (CanGoForward()) ++shown_;
  return Shown();
}

}  // namespace tavlin
