#include "src/storage/storage_merge.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "src/storage/store_rule.h"

namespace tavlin {

namespace {

using Lines = std::vector<std::u16string_view>;
using Counts = std::unordered_map<std::u16string_view, std::size_t>;

// The lines of a text: its segments between CR LF, less an empty last one.
Lines LinesOf(std::u16string_view text) {
  const auto line_break = LineBreakOf<char16_t>();
  Lines lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t found = text.find(line_break, begin);
    const std::size_t end =
        found == std::u16string_view::npos ? text.size() : found;
    lines.push_back(text.substr(begin, end - begin));
    begin = end + line_break.size();
    if (found == std::u16string_view::npos) break;
    // A break at the very end leaves an empty last segment: no line.
  }
  return lines;
}

Counts CountOf(const Lines& lines) {
  Counts counts;
  for (const std::u16string_view line : lines) ++counts[line];
  return counts;
}

std::size_t Get(const Counts& counts, std::u16string_view line) {
  const auto found = counts.find(line);
  return found == counts.end() ? 0 : found->second;
}

}  // namespace

MergedText MergeStorageText(std::u16string_view base,
                            std::u16string_view theirs,
                            std::u16string_view ours,
                            std::u16string_view session_start,
                            const LineMatch& match) {
  const Lines base_lines = LinesOf(base);
  const Lines their_lines = LinesOf(theirs);
  const Lines our_lines = LinesOf(ours);
  const Counts b = CountOf(base_lines);
  const Counts t = CountOf(their_lines);
  const Counts o = CountOf(our_lines);
  const Counts s = CountOf(LinesOf(session_start));

  // Theirs first, less the base's copies that ours deleted. A copy theirs
  // added is theirs to keep.
  Lines result;
  Counts dropped;
  Counts kept;
  for (const std::u16string_view line : their_lines) {
    const std::size_t in_base = Get(b, line);
    const std::size_t ours_deleted =
        in_base > Get(o, line) ? in_base - Get(o, line) : 0;
    const std::size_t from_base = std::min(Get(t, line), in_base);
    if (Get(dropped, line) < std::min(ours_deleted, from_base)) {
      ++dropped[line];
      continue;
    }
    ++kept[line];
    result.push_back(line);
  }

  // The lines theirs added, which a line ours added may stand for.
  std::vector<std::u16string_view> their_additions;
  {
    Counts seen;
    for (const std::u16string_view line : their_lines)
      if (++seen[line] > Get(b, line)) their_additions.push_back(line);
  }
  std::vector<bool> answered(their_additions.size(), false);

  // Then ours: each copy ours added, and each of the session's own lines
  // that theirs dropped.
  const auto answer = [&](std::u16string_view line, bool exactly) {
    for (std::size_t i = 0; i < their_additions.size(); ++i) {
      if (answered[i] || !(exactly ? their_additions[i] == line
                                   : match(their_additions[i], line)))
        continue;
      answered[i] = true;
      return true;
    }
    return false;
  };
  Counts seen;
  for (const std::u16string_view line : our_lines) {
    const std::size_t copy = ++seen[line];
    if (copy <= Get(kept, line)) {
      answer(line, true);  // theirs holds this very copy
      continue;
    }
    if (copy > Get(b, line)) {
      if (answer(line, false)) continue;  // theirs added the same slogan
    } else if (copy <= Get(s, line)) {
      continue;  // theirs deleted a line ours left as it was
    }
    result.push_back(line);
    ++kept[line];
  }

  MergedText merged;
  {
    // Lines of the result beyond what ours holds came from theirs.
    Counts counted;
    for (const std::u16string_view line : result)
      if (++counted[line] > Get(o, line)) ++merged.taken_in;
  }
  const auto line_break = LineBreakOf<char16_t>();
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (i > 0) merged.text += line_break;
    merged.text += result[i];
  }
  if (!result.empty() && EndsWithLineBreak(ours)) merged.text += line_break;
  return merged;
}

}  // namespace tavlin
