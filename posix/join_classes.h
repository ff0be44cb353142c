// The costs of joining two words, as a morphological lexicon gives them
// (MeCab's matrix.def: a cost for each right id of the word before and left
// id of the word after), grouped into few enough classes for the reading
// dictionary: ids whose joins cost alike share a class, and a class pair
// costs what its ids' pairs cost on average.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "src/rhythm/reading_dictionary_writer.h"

namespace tavlin {

struct JoinMatrix {
  std::size_t rights = 0;
  std::size_t lefts = 0;
  std::vector<int> costs;  // costs[right * lefts + left]
  int At(std::size_t right, std::size_t left) const {
    return costs[right * lefts + left];
  }
};

// Reads matrix.def: its sizes on the first line, then a right id, a left id
// and a cost a line. Nothing where the text is not one.
std::optional<JoinMatrix> ParseJoinMatrix(std::string_view text);

struct JoinClasses {
  std::vector<std::uint8_t> right_class;  // of each right id
  std::vector<std::uint8_t> left_class;   // of each left id
  std::size_t classes = 1;
  std::vector<std::int16_t> costs;  // costs[right class * classes + left]
};

// Groups the ids into at most classes classes a side (k-means from the
// ids farthest apart, so that the same matrix always gives the same
// classes).
JoinClasses GroupJoinCosts(const JoinMatrix& matrix, std::size_t classes);

}  // namespace tavlin
