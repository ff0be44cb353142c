#include "src/slogan/mt19937ar.h"

#include <algorithm>

namespace tavlin {

namespace {

constexpr int kStateSize = 624;
constexpr int kShift = 397;
constexpr int kNeverSeeded = kStateSize + 1;
constexpr std::uint32_t kUpperMask = 0x80000000u;
constexpr std::uint32_t kLowerMask = 0x7FFFFFFFu;
constexpr std::uint32_t kTwist[2] = {0u, 0x9908B0DFu};

std::uint32_t mt[kStateSize];
int mti = kNeverSeeded;

void RegenerateBlock() {
  if (mti == kNeverSeeded) init_genrand(5489u);
  // In place and in ascending order: words past index 226 read words that
  // this pass has already regenerated, exactly as the reference does.
  for (int k = 0; k < kStateSize; ++k) {
    const std::uint32_t y =
        (mt[k] & kUpperMask) | (mt[(k + 1) % kStateSize] & kLowerMask);
    mt[k] = mt[(k + kShift) % kStateSize] ^ (y >> 1) ^ kTwist[y & 1u];
  }
  mti = 0;
}

}  // namespace

void init_genrand(std::uint32_t seed) {
  mt[0] = seed;
  for (int i = 1; i < kStateSize; ++i) {
    mt[i] = 1812433253u * (mt[i - 1] ^ (mt[i - 1] >> 30)) +
            static_cast<std::uint32_t>(i);
  }
  mti = kStateSize;
}

void init_by_array(const std::uint32_t keys[], std::size_t key_count) {
  init_genrand(19650218u);
  std::size_t i = 1;
  std::size_t j = 0;
  for (std::size_t k = std::max<std::size_t>(kStateSize, key_count); k > 0;
       --k) {
    mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1664525u)) + keys[j] +
            static_cast<std::uint32_t>(j);
    ++i;
    ++j;
    if (i >= kStateSize) {
      mt[0] = mt[kStateSize - 1];
      i = 1;
    }
    if (j >= key_count) j = 0;
  }
  for (int k = kStateSize - 1; k > 0; --k) {
    mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1566083941u)) -
            static_cast<std::uint32_t>(i);
    ++i;
    if (i >= kStateSize) {
      mt[0] = mt[kStateSize - 1];
      i = 1;
    }
  }
  mt[0] = 0x80000000u;  // never an all-zero state
}

std::uint32_t genrand_int32() {
  if (mti >= kStateSize) RegenerateBlock();
  std::uint32_t y = mt[mti++];
  y ^= y >> 11;
  y ^= (y << 7) & 0x9D2C5680u;
  y ^= (y << 15) & 0xEFC60000u;
  y ^= y >> 18;
  return y;
}

std::int32_t genrand_int31() {
  return static_cast<std::int32_t>(genrand_int32() >> 1);
}

void SeedGeneratorAtStartup() {
  static constexpr std::uint32_t kStartupKey[] = {0x123u, 0x234u, 0x345u,
                                                  0x456u};
  init_by_array(kStartupKey, 4);
}

}  // namespace tavlin
