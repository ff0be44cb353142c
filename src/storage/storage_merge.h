// Merging a storage list with another writer's save, line by line: what
// this session last read or wrote there is the base, the file now is
// theirs, the box now is ours. All three are tidied alike first, as a file
// is when it loads, so that only real changes count.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

// Whether two lines are the same slogan, as the store rule matches them.
using LineMatch = std::function<bool(std::u16string_view, std::u16string_view)>;

struct MergedText {
  std::u16string text;
  // How many lines of theirs the merge brought into ours.
  std::size_t taken_in = 0;
  // The lines of ours that theirs deleted: gone from the text, in ours'
  // order, for the user to put back where that was not meant.
  std::vector<std::u16string> removed;
};

// Keeps every line either side added, theirs in their order first, then
// ours; a line both added (as match sees it) stands once. A line goes when
// one side deleted it and the other left it as the base had it: a line
// the file held is the list's, and whoever deletes it there deletes it.
// The result ends as ours does (its last blanks and line break) where its
// last line is ours'. Lines are CR LF separated.
MergedText MergeStorageText(std::u16string_view base,
                            std::u16string_view theirs,
                            std::u16string_view ours, const LineMatch& match);

// The lines of a text: its segments between CR LF, less an empty last one.
std::vector<std::u16string_view> StorageLines(std::u16string_view text);

}  // namespace tavlin
