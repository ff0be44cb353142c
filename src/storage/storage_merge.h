// Merging a storage list with another writer's save, line by line: what
// this session last read or wrote there is the base, the file now is
// theirs, the box now is ours. All three are tidied alike first, as a file
// is when it loads, so that only real changes count.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavlin {

// Whether two lines are the same slogan, as the store rule matches them.
using LineMatch = std::function<bool(std::u16string_view, std::u16string_view)>;

// How many copies of each line a text holds, or a session calls its own.
using LineCounts = std::unordered_map<std::u16string, std::size_t>;

struct MergedText {
  std::u16string text;
  // How many lines of theirs the merge brought into ours.
  std::size_t taken_in = 0;
};

// Keeps every line either side added, theirs in their order first, then
// ours; a line both added (as match sees it) stands once. A line goes when
// one side deleted it and the other left it as the base had it, except the
// session's own copies (own): a writer that never knew them may have
// dropped them. The result ends as ours does (its last blanks and line
// break) where its last line is ours'. Lines are CR LF separated.
MergedText MergeStorageText(std::u16string_view base,
                            std::u16string_view theirs,
                            std::u16string_view ours, const LineCounts& own,
                            const LineMatch& match);

// The session's own lines once its user went from base to ours: the copies
// it owned that ours still holds, and every copy ours holds beyond base
// (typed or stored). Lines other writers brought in are not its own.
LineCounts OwnLinesAfter(const LineCounts& own, std::u16string_view base,
                         std::u16string_view ours);

// The copies of own that text still holds.
LineCounts OwnLinesIn(const LineCounts& own, std::u16string_view text);

// The lines of a text: its segments between CR LF, less an empty last one.
std::vector<std::u16string_view> StorageLines(std::u16string_view text);

}  // namespace tavlin
