#include "src/slogan/phrase_list.h"

#include <cstdint>
#include <cstring>

#include "src/slogan/phrase_lines.h"

namespace tavlin {

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;

// How many bytes of a BytesEqualTo mask are set; a multiplication adds the
// bytes up, where a popcount instruction is not in the baseline x86-64.
std::size_t CountOf(std::uint64_t mask) {
  return static_cast<std::size_t>(((mask >> 7) * kEveryByte) >> 56);
}

// The count of line ends (CR LF counted once), plus one, bounds the number of
// lines. Eight bytes at a time, since this pass reads the whole file.
std::size_t MaximumLineCount(std::string_view bytes) {
  std::size_t crs = 0, lfs = 0, pairs = 0;
  const char* data = bytes.data();
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + i, 8);
    const std::uint64_t cr = BytesEqualTo(word, '\r');
    const std::uint64_t lf = BytesEqualTo(word, '\n');
    crs += CountOf(cr);
    lfs += CountOf(lf);
    // A CR whose next byte, in this word or the next, is an LF.
    pairs += CountOf(cr & (lf >> 8));
    if ((cr >> 63) != 0 && i + 8 < size && data[i + 8] == '\n') ++pairs;
  }
  for (; i < size; ++i) {
    crs += data[i] == '\r';
    lfs += data[i] == '\n';
    pairs += data[i] == '\r' && i + 1 < size && data[i + 1] == '\n';
  }
  return crs + lfs - pairs + 1;
}

}  // namespace

void PhraseList::AssignFileBytes(std::string bytes) {
  const auto for_each_phrase = [&](auto&& on_phrase) {
    ForEachLine(bytes, [&](std::size_t begin, std::size_t length) {
      if (!IsBlankLine(std::string_view(bytes.data() + begin, length)))
        on_phrase(begin, length);
    });
  };
  // Reserving keeps the offsets from being copied while they grow. The
  // bound on lines is reserved while its offsets take no more room than the
  // file; beyond that (a file of mostly blank lines) the phrases are
  // counted first, so that no room is held for lines that are dropped.
  std::size_t capacity = MaximumLineCount(bytes);
  if (capacity > bytes.size() / sizeof(Span)) {
    capacity = 0;
    for_each_phrase([&](std::size_t, std::size_t) { ++capacity; });
  }
  std::vector<Span> phrases;
  phrases.reserve(capacity);
  for_each_phrase([&](std::size_t begin, std::size_t length) {
    phrases.push_back(Span{begin, length});
  });
  bytes_ = std::move(bytes);
  phrases_ = std::move(phrases);
}

}  // namespace tavlin
