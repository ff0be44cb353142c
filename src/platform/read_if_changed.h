// Reading a file again only to find it unchanged is common: phrase files are
// read at every generation. This reads in small chunks, compares them with
// the bytes read last time, and makes a copy only from the first difference.
#pragma once

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

// read_chunk(into, capacity) returns the count of bytes read, 0 at the end
// of the file, and throws on failure. expected_size is the file's size as
// the system reports it. Returns nothing when the file holds exactly
// previous.
template <typename ReadChunk>
std::optional<std::string> ReadIfChanged(std::size_t expected_size,
                                         std::string_view previous,
                                         ReadChunk&& read_chunk) {
  std::string bytes;
  std::size_t done = 0;
  if (expected_size == previous.size()) {
    constexpr std::size_t kChunk = 256 * 1024;
    std::vector<char> chunk(kChunk);
    for (;;) {
      const std::size_t n = read_chunk(chunk.data(), kChunk);
      if (n == 0) {
        if (done == previous.size()) return std::nullopt;
        return std::string(previous.substr(0, done));  // the file shrank
      }
      if (done + n > previous.size() ||
          std::memcmp(chunk.data(), previous.data() + done, n) != 0) {
        bytes.reserve(expected_size + 1);
        bytes.append(previous.substr(0, done)).append(chunk.data(), n);
        done += n;
        break;
      }
      done += n;
    }
  }
  // One byte beyond the expected size lets the end show without growing.
  bytes.resize(std::max(expected_size + 1, done + 1));
  for (;;) {
    if (done == bytes.size()) bytes.resize(bytes.size() + 65536);
    const std::size_t n = read_chunk(bytes.data() + done, bytes.size() - done);
    if (n == 0) break;
    done += n;
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace tavlin
