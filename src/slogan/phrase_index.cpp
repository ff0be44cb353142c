#include "src/slogan/phrase_index.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "src/slogan/phrase_lines.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace tavlin {

namespace {

constexpr std::size_t kBlock = 64;

// One bit for each byte of a block of 64, lowest bit first.
struct BlockMasks {
  std::uint64_t line_ends = 0;  // CR or LF
  std::uint64_t printable = 0;  // above 0x20: a line holding one is no blank
};

BlockMasks MasksOf(const char* block) {
  BlockMasks masks;
#if defined(__SSE2__) || defined(_M_X64)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i lowest_printable = _mm_set1_epi8(0x21);
  for (int part = 0; part < 4; ++part) {
    const __m128i bytes =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
    const __m128i ends =
        _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf));
    // Unsigned: bytes is at least 0x21 when raising it to 0x21 changes
    // nothing. Shift-JIS lead and trail bytes count as printable.
    const __m128i printable =
        _mm_cmpeq_epi8(_mm_max_epu8(bytes, lowest_printable), bytes);
    const auto bits = [](__m128i mask) {
      return static_cast<std::uint64_t>(
          static_cast<std::uint16_t>(_mm_movemask_epi8(mask)));
    };
    masks.line_ends |= bits(ends) << (16 * part);
    masks.printable |= bits(printable) << (16 * part);
  }
#else
  for (std::size_t i = 0; i < kBlock; ++i) {
    const auto c = static_cast<unsigned char>(block[i]);
    if (c == '\r' || c == '\n') masks.line_ends |= std::uint64_t{1} << i;
    if (c > 0x20) masks.printable |= std::uint64_t{1} << i;
  }
#endif
  return masks;
}

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
class PhraseCounter {
 public:
  PhraseCounter(const char* data, PhraseIndex& index)
      : data_(data), index_(index) {}

  void Scan(const char* block, std::size_t offset) {
    const BlockMasks masks = MasksOf(block);
    const std::uint64_t counted = masks.line_ends | masks.printable;
    const std::uint64_t skipped = ~counted;
    const std::uint64_t line_starts = (masks.line_ends << 1) | after_line_end_;
    after_line_end_ = masks.line_ends >> 63;
    const std::uint64_t partial = skipped + line_starts;
    const std::uint64_t sum = partial + carry_;
    carry_ = (partial < skipped || sum < partial) ? 1 : 0;
    std::uint64_t first_bytes = sum & masks.printable;
    const auto phrases = static_cast<std::size_t>(std::popcount(first_bytes));
    // An index entry is due about once in twenty blocks.
    while (next_entry_ < index_.count + phrases) {
      std::uint64_t rest = first_bytes;
      for (std::size_t n = index_.count; n < next_entry_; ++n) rest &= rest - 1;
      const std::size_t at =
          offset + static_cast<std::size_t>(std::countr_zero(rest));
      index_.line_starts.push_back(LineStartBefore(data_, at));
      next_entry_ += kPhraseIndexStep;
    }
    index_.count += phrases;
  }

 private:
  const char* data_;
  PhraseIndex& index_;
  std::uint64_t after_line_end_ = 1;  // the text starts as a line does
  std::uint64_t carry_ = 0;     // a line's first counted byte is still ahead
  std::size_t next_entry_ = 0;  // the number of the next phrase to index
};

}  // namespace

PhraseIndex IndexPhrases(std::string_view bytes) {
  PhraseIndex index;
  const char* const data = bytes.data();
  const void* zero = std::memchr(data, '\0', bytes.size());
  index.text_end =
      zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - data)
           : bytes.size();
  PhraseCounter counter(data, index);
  std::size_t offset = 0;
  for (; offset + kBlock <= index.text_end; offset += kBlock)
    counter.Scan(data + offset, offset);
  if (offset < index.text_end) {
    // Zero bytes after the end are skipped like spaces.
    char last[kBlock] = {};
    std::memcpy(last, data + offset, index.text_end - offset);
    counter.Scan(last, offset);
  }
  return index;
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
