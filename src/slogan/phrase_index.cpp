#include "src/slogan/phrase_index.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "src/slogan/phrase_block_masks.h"
#include "src/slogan/phrase_lines.h"

namespace tavlin {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

std::size_t LineStartBefore(const char* data, std::size_t at) {
  while (at > 0 && !IsLineEnd(data[at - 1])) --at;
  return at;
}

// Counts, block by block, the lines whose first byte that is a line end or
// printable is printable: the lines that are not blank. Bytes of 0x20 or
// less other than line ends are skipped by an addition: from the bit after
// each line end, a carry runs over the skipped bytes and stops at the
// line's first byte that counts. CR LF needs no care, as the empty line
// between them is blank.
template <typename Instructions>
class PhraseCounter {
 public:
  PhraseCounter(const char* data, PhraseIndex& index)
      : data_(data), index_(index) {}

  // Scans the block and returns whether the text goes on after it: the
  // bytes from a zero byte on are skipped and end the text.
  bool Scan(const char* block, std::size_t offset) {
    BlockMasks masks = Instructions::Masks(block);
    const std::uint64_t skipped = ~(masks.line_ends | masks.printable);
    bool ends_here = false;
    std::uint64_t first_bytes = 0;
    if (skipped == 0) {
      // Most blocks hold only phrase bytes and line ends: no carry runs
      // through them, and one the block before left pending stops at the
      // first byte.
      first_bytes =
          masks.printable & ((masks.line_ends << 1) | after_line_end_ | carry_);
      carry_ = 0;
    } else {
      const std::uint64_t zeros = ZeroBytesOf(block);
      ends_here = zeros != 0;
      if (ends_here) {
        const int zero_at = std::countr_zero(zeros);
        const std::uint64_t before_zero = (std::uint64_t{1} << zero_at) - 1;
        masks.line_ends &= before_zero;
        masks.printable &= before_zero;
        text_end_ = offset + static_cast<std::size_t>(zero_at);
      }
      first_bytes = FirstBytesPastSkipped(masks);
    }
    after_line_end_ = masks.line_ends >> 63;
    const auto phrases =
        static_cast<std::size_t>(Instructions::CountBits(first_bytes));
    // An index entry is due about once in twenty blocks.
    if (next_entry_ < count_ + phrases)
      AddEntries(first_bytes, phrases, offset);
    count_ += phrases;
    return !ends_here;
  }

  // The phrases counted so far.
  std::size_t count() const { return count_; }

  // Where the first zero byte was met; unset while none was.
  std::size_t text_end() const { return text_end_; }

 private:
  [[gnu::noinline]] void AddEntries(std::uint64_t first_bytes,
                                    std::size_t phrases, std::size_t offset) {
    for (; next_entry_ < count_ + phrases; next_entry_ += kPhraseIndexStep) {
      std::uint64_t rest = first_bytes;
      for (std::size_t n = count_; n < next_entry_; ++n) rest &= rest - 1;
      const std::size_t at =
          offset + static_cast<std::size_t>(std::countr_zero(rest));
      index_.line_starts.push_back(LineStartBefore(data_, at));
    }
  }

  // The block's first bytes of lines when bytes of 0x20 or less lie among
  // them. The masks are taken before after_line_end_ moves on.
  std::uint64_t FirstBytesPastSkipped(const BlockMasks& masks) {
    const std::uint64_t counted = masks.line_ends | masks.printable;
    const std::uint64_t skipped = ~counted;
    const std::uint64_t line_starts = (masks.line_ends << 1) | after_line_end_;
    const std::uint64_t partial = skipped + line_starts;
    const std::uint64_t sum = partial + carry_;
    carry_ = (partial < skipped || sum < partial) ? 1 : 0;
    return sum & masks.printable;
  }

  const char* data_;
  PhraseIndex& index_;
  std::uint64_t after_line_end_ = 1;  // the text starts as a line does
  std::uint64_t carry_ = 0;  // a line's first counted byte is still ahead
  std::size_t count_ = 0;
  std::size_t next_entry_ = 0;  // the number of the next phrase to index
  std::size_t text_end_ = static_cast<std::size_t>(-1);
};

template <typename Instructions>
PhraseIndex IndexWith(std::string_view bytes) {
  PhraseIndex index;
  const char* const data = bytes.data();
  PhraseCounter<Instructions> counter(data, index);
  std::size_t offset = 0;
  bool goes_on = true;
  for (; goes_on && offset + kPhraseBlock <= bytes.size();
       offset += kPhraseBlock)
    goes_on = counter.Scan(data + offset, offset);
  if (goes_on && offset < bytes.size()) {
    // The last bytes, padded with zero bytes: the first one ends the text
    // unless a zero byte among the file's own did.
    char last[kPhraseBlock] = {};
    std::memcpy(last, data + offset, bytes.size() - offset);
    counter.Scan(last, offset);
  }
  index.count = counter.count();
  index.text_end = std::min(counter.text_end(), bytes.size());
  return index;
}

struct BaselineInstructions {
#if defined(TAVLIN_X86_64)
  static BlockMasks Masks(const char* block) { return MasksWithSse2(block); }
#else
  static BlockMasks Masks(const char* block) { return MasksPortably(block); }
#endif
  static int CountBits(std::uint64_t bits) { return CountBitsPortably(bits); }
};

#if defined(TAVLIN_WIDER_INSTRUCTIONS)
struct WiderInstructions {
  TAVLIN_TARGET("avx2")
  static BlockMasks Masks(const char* block) { return MasksWithAvx2(block); }
  TAVLIN_TARGET("popcnt")
  static int CountBits(std::uint64_t bits) { return CountBitsWithPopcnt(bits); }
};

// Flattened, so that the whole scan is compiled for these instructions
// rather than calling out to them once a block.
[[gnu::flatten]] TAVLIN_TARGET("avx2,popcnt") PhraseIndex
    IndexWithWiderInstructions(std::string_view bytes) {
  return IndexWith<WiderInstructions>(bytes);
}

bool ProcessorHasWiderInstructions() {
  static const bool has =
      __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
  return has;
}
#endif

}  // namespace

PhraseIndex IndexPhrases(std::string_view bytes) {
#if defined(TAVLIN_WIDER_INSTRUCTIONS)
  if (ProcessorHasWiderInstructions()) return IndexWithWiderInstructions(bytes);
#endif
  return IndexWith<BaselineInstructions>(bytes);
}

PhraseIndex IndexPhrasesWithBaselineInstructions(std::string_view bytes) {
  return IndexWith<BaselineInstructions>(bytes);
}

std::string_view PhraseAt(std::string_view bytes, const PhraseIndex& index,
                          std::size_t number) {
  const std::string_view text = bytes.substr(0, index.text_end);
  if (number >= index.count) return {};
  std::size_t at = index.line_starts[number / kPhraseIndexStep];
  std::size_t to_skip = number % kPhraseIndexStep;
  while (at < text.size()) {
    std::size_t end = at;
    while (end < text.size() && !IsLineEnd(text[end])) ++end;
    const std::string_view line = text.substr(at, end - at);
    if (!IsBlankLine(line)) {
      if (to_skip == 0) return line;
      --to_skip;
    }
    at = end + 1;
  }
  return {};
}

}  // namespace tavlin
