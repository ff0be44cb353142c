// Merging a storage list with another writer's save, line by line: what
// this session last read or wrote there is the base, the file now is
// theirs, the box now is ours.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tavlin {

// Whether two lines are the same slogan, as the store rule matches them.
using LineMatch = std::function<bool(std::u16string_view, std::u16string_view)>;

struct MergedText {
  std::u16string text;
  // How many lines of theirs the merge brought into ours.
  std::size_t taken_in = 0;
};

// Keeps every line either side added, theirs in their order first, then
// ours; a line both added (as match sees it) stands once. A line goes only
// when one side deleted it and the other left it as the base had it, and
// never when it is one of the session's own: a line ours holds beyond
// session_start (the text as loaded at start). The result ends with a line
// break where ours does. Lines are CR LF separated.
MergedText MergeStorageText(std::u16string_view base,
                            std::u16string_view theirs,
                            std::u16string_view ours,
                            std::u16string_view session_start,
                            const LineMatch& match);

}  // namespace tavlin
