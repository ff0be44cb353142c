#include "posix/join_classes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tavlin {

namespace {

bool ReadInt(std::string_view& text, int& value) {
  while (!text.empty() && (text[0] == ' ' || text[0] == '\t'))
    text.remove_prefix(1);
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return true;
}

using Vectors = std::vector<std::vector<float>>;

float Distance(const std::vector<float>& a, const std::vector<float>& b) {
  float sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const float d = a[i] - b[i];
    sum += d * d;
  }
  return sum;
}

// The class of each vector, at most k classes: the first centre is the
// first vector, each next the vector farthest from every centre so far,
// then a few rounds of moving each centre to its members' mean.
std::vector<std::uint8_t> Group(const Vectors& vectors, std::size_t k) {
  const std::size_t n = vectors.size();
  k = std::min(k, n);
  Vectors centres{vectors[0]};
  std::vector<float> nearest(n, std::numeric_limits<float>::max());
  while (centres.size() < k) {
    std::size_t farthest = 0;
    for (std::size_t i = 0; i < n; ++i) {
      nearest[i] = std::min(nearest[i], Distance(vectors[i], centres.back()));
      if (nearest[i] > nearest[farthest]) farthest = i;
    }
    if (nearest[farthest] == 0) break;  // every vector is a centre's
    centres.push_back(vectors[farthest]);
  }
  std::vector<std::uint8_t> of(n, 0);
  constexpr int kRounds = 6;
  for (int round = 0; round <= kRounds; ++round) {
    for (std::size_t i = 0; i < n; ++i) {
      float best = std::numeric_limits<float>::max();
      for (std::size_t c = 0; c < centres.size(); ++c)
        if (const float d = Distance(vectors[i], centres[c]); d < best) {
          best = d;
          of[i] = static_cast<std::uint8_t>(c);
        }
    }
    if (round == kRounds) break;
    Vectors sums(centres.size(), std::vector<float>(vectors[0].size(), 0));
    std::vector<std::size_t> members(centres.size(), 0);
    for (std::size_t i = 0; i < n; ++i) {
      ++members[of[i]];
      for (std::size_t d = 0; d < vectors[i].size(); ++d)
        sums[of[i]][d] += vectors[i][d];
    }
    for (std::size_t c = 0; c < centres.size(); ++c)
      if (members[c] > 0)
        for (float& value : sums[c]) value /= static_cast<float>(members[c]);
      else
        sums[c] = centres[c];
    centres = std::move(sums);
  }
  return of;
}

}  // namespace

std::optional<JoinMatrix> ParseJoinMatrix(std::string_view text) {
  JoinMatrix matrix;
  int rights = 0;
  int lefts = 0;
  if (!ReadInt(text, rights) || !ReadInt(text, lefts) || rights <= 0 ||
      lefts <= 0 || rights > 10000 || lefts > 10000)
    return std::nullopt;
  matrix.rights = static_cast<std::size_t>(rights);
  matrix.lefts = static_cast<std::size_t>(lefts);
  matrix.costs.assign(matrix.rights * matrix.lefts, 0);
  std::size_t seen = 0;
  for (;;) {
    while (!text.empty() && (text[0] == '\n' || text[0] == '\r'))
      text.remove_prefix(1);
    if (text.empty()) break;
    int right = 0, left = 0, cost = 0;
    if (!ReadInt(text, right) || !ReadInt(text, left) || !ReadInt(text, cost) ||
        right < 0 || left < 0 || right >= rights || left >= lefts)
      return std::nullopt;
    matrix.costs[static_cast<std::size_t>(right) * matrix.lefts +
                 static_cast<std::size_t>(left)] = cost;
    ++seen;
  }
  if (seen != matrix.costs.size()) return std::nullopt;
  return matrix;
}

JoinClasses GroupJoinCosts(const JoinMatrix& matrix, std::size_t classes) {
  Vectors rows(matrix.rights, std::vector<float>(matrix.lefts));
  Vectors columns(matrix.lefts, std::vector<float>(matrix.rights));
  for (std::size_t r = 0; r < matrix.rights; ++r)
    for (std::size_t l = 0; l < matrix.lefts; ++l)
      rows[r][l] = columns[l][r] = static_cast<float>(matrix.At(r, l));
  JoinClasses grouped;
  grouped.right_class = Group(rows, classes);
  grouped.left_class = Group(columns, classes);
  grouped.classes = 1 + std::max(*std::max_element(grouped.right_class.begin(),
                                                   grouped.right_class.end()),
                                 *std::max_element(grouped.left_class.begin(),
                                                   grouped.left_class.end()));
  const std::size_t size = grouped.classes;
  std::vector<double> sums(size * size, 0);
  std::vector<std::size_t> counts(size * size, 0);
  for (std::size_t r = 0; r < matrix.rights; ++r)
    for (std::size_t l = 0; l < matrix.lefts; ++l) {
      const std::size_t at =
          grouped.right_class[r] * size + grouped.left_class[l];
      sums[at] += matrix.At(r, l);
      ++counts[at];
    }
  grouped.costs.resize(size * size, 0);
  for (std::size_t at = 0; at < size * size; ++at)
    if (counts[at] > 0)
      grouped.costs[at] = static_cast<std::int16_t>(
          std::clamp(std::lround(sums[at] / static_cast<double>(counts[at])),
                     -32768L, 32767L));
  return grouped;
}

}  // namespace tavlin
