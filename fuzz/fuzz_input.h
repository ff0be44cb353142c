// Splitting a fuzzer's bytes into the inputs of one call.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  template <typename T>
  T Take() {
    T value{};
    const std::size_t n = std::min(sizeof value, rest_.size());
    std::memcpy(&value, rest_.data(), n);
    rest_.remove_prefix(n);
    return value;
  }
  // Up to the first occurrence of separator (dropped), or everything.
  std::string_view TakeUntil(char separator) {
    const std::size_t at = rest_.find(separator);
    const std::string_view part = rest_.substr(0, at);
    rest_.remove_prefix(at == std::string_view::npos ? rest_.size() : at + 1);
    return part;
  }
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

// A property that must hold; a fuzzer stops at the first one that does not.
#define FUZZ_CHECK(condition)                                           \
  do {                                                                  \
    if (!(condition)) {                                                 \
      std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, \
                   __FILE__, __LINE__);                                 \
      std::abort();                                                     \
    }                                                                   \
  } while (0)
