// The program's one source of randomness: the reference MT19937 generator
// with its two seeding routines, keeping a single state for the process.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavlin {

void init_genrand(std::uint32_t seed);
void init_by_array(const std::uint32_t keys[], std::size_t key_count);
std::uint32_t genrand_int32();
std::int32_t genrand_int31();

// Seeds the state with the fixed key of the reference test, once at start-up,
// so that no draw ever comes from an unseeded state.
void SeedGeneratorAtStartup();

}  // namespace tavlin
