// What the phrase index reads from the bytes of a phrase file, a block of
// 64 at a time: which bytes end a line and which are printable. Each way of
// finding them suits a set of processor instructions: the baseline of every
// x86-64 processor (SSE2), the wider AVX2 most of them have, or plain C++
// anywhere else.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__x86_64__) || defined(_M_X64)
#define TAVLIN_X86_64 1
#include <immintrin.h>
#endif

#if defined(TAVLIN_X86_64) && defined(__GNUC__)
// Code for instructions beyond the baseline, chosen when the processor
// offers them.
#define TAVLIN_TARGET(isa) __attribute__((target(isa)))
#define TAVLIN_WIDER_INSTRUCTIONS 1
#endif

namespace tavlin {

inline constexpr std::size_t kPhraseBlock = 64;

// One bit for each byte of a block, lowest bit first.
struct BlockMasks {
  std::uint64_t line_ends = 0;  // CR or LF
  std::uint64_t printable = 0;  // above 0x20: a line holding one is no blank
};

// Without POPCNT, which the baseline lacks, std::popcount becomes a call
// into the compiler's runtime once a block; this stays inline.
inline int CountBitsPortably(std::uint64_t bits) {
  bits -= (bits >> 1) & 0x5555555555555555u;
  bits = (bits & 0x3333333333333333u) + ((bits >> 2) & 0x3333333333333333u);
  bits = (bits + (bits >> 4)) & 0x0f0f0f0f0f0f0f0fu;
  return static_cast<int>((bits * 0x0101010101010101u) >> 56);
}

#if defined(TAVLIN_X86_64)

inline std::uint64_t BitsOf(__m128i mask, int part) {
  return static_cast<std::uint64_t>(
             static_cast<std::uint16_t>(_mm_movemask_epi8(mask)))
         << (16 * part);
}

// The comparisons with 0x20 are signed: bytes from 0x80 up, Shift-JIS lead
// and trail bytes among them, are negative, and their own top bit, which is
// what a mask takes, marks them printable.
inline BlockMasks MasksWithSse2(const char* block) {
  BlockMasks masks;
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i space = _mm_set1_epi8(0x20);
  for (int part = 0; part < 4; ++part) {
    const __m128i bytes =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
    masks.line_ends |= BitsOf(
        _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)),
        part);
    masks.printable |=
        BitsOf(_mm_or_si128(_mm_cmpgt_epi8(bytes, space), bytes), part);
  }
  return masks;
}

inline std::uint64_t ZeroBytesOf(const char* block) {
  std::uint64_t zeros = 0;
  for (int part = 0; part < 4; ++part) {
    const __m128i bytes =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
    zeros |= BitsOf(_mm_cmpeq_epi8(bytes, _mm_setzero_si128()), part);
  }
  return zeros;
}

#else

inline BlockMasks MasksPortably(const char* block) {
  BlockMasks masks;
  for (std::size_t i = 0; i < kPhraseBlock; ++i) {
    const auto c = static_cast<unsigned char>(block[i]);
    if (c == '\r' || c == '\n') masks.line_ends |= std::uint64_t{1} << i;
    if (c > 0x20) masks.printable |= std::uint64_t{1} << i;
  }
  return masks;
}

inline std::uint64_t ZeroBytesOf(const char* block) {
  std::uint64_t zeros = 0;
  for (std::size_t i = 0; i < kPhraseBlock; ++i)
    if (block[i] == 0) zeros |= std::uint64_t{1} << i;
  return zeros;
}

#endif

#if defined(TAVLIN_WIDER_INSTRUCTIONS)

TAVLIN_TARGET("avx2")
inline std::uint64_t BitsOf(__m256i mask, int half) {
  return static_cast<std::uint64_t>(
             static_cast<std::uint32_t>(_mm256_movemask_epi8(mask)))
         << (32 * half);
}

TAVLIN_TARGET("avx2")
inline BlockMasks MasksWithAvx2(const char* block) {
  const __m256i cr = _mm256_set1_epi8('\r');
  const __m256i lf = _mm256_set1_epi8('\n');
  const __m256i space = _mm256_set1_epi8(0x20);
  BlockMasks masks;
  for (int half = 0; half < 2; ++half) {
    const __m256i bytes =
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 32 * half));
    masks.line_ends |= BitsOf(_mm256_or_si256(_mm256_cmpeq_epi8(bytes, cr),
                                              _mm256_cmpeq_epi8(bytes, lf)),
                              half);
    masks.printable |=
        BitsOf(_mm256_or_si256(_mm256_cmpgt_epi8(bytes, space), bytes), half);
  }
  return masks;
}

TAVLIN_TARGET("popcnt")
inline int CountBitsWithPopcnt(std::uint64_t bits) {
  return __builtin_popcountll(bits);
}

#endif

}  // namespace tavlin
