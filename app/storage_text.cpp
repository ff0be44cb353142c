#include "app/storage_text.h"

#include "app/slogan_match.h"

namespace {

bool IsStrippable(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool EndsWithLineBreak(std::string_view text) {
  return text.size() >= kLineBreak.size() &&
         text.substr(text.size() - kLineBreak.size()) == kLineBreak;
}

}  // namespace

std::string NormaliseStorageText(std::string_view file_bytes) {
  // Cutting at the zero byte first gives the same text as normalising first:
  // neither rule looks past the other's bytes.
  const std::size_t zero = file_bytes.find('\0');
  std::string_view bytes = file_bytes.substr(0, zero);

  std::size_t begin = 0;
  while (begin < bytes.size() && IsStrippable(bytes[begin])) ++begin;
  std::size_t end = bytes.size();
  while (end > begin && IsStrippable(bytes[end - 1])) --end;
  bytes = bytes.substr(begin, end - begin);

  std::string text;
  text.reserve(bytes.size());
  std::size_t run_begin = 0;
  for (std::size_t at = bytes.find_first_of("\r\n");
       at != std::string_view::npos;
       at = bytes.find_first_of("\r\n", run_begin)) {
    text.append(bytes.substr(run_begin, at - run_begin)).append(kLineBreak);
    const bool pair =
        bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n';
    run_begin = at + (pair ? 2 : 1);
  }
  text.append(bytes.substr(run_begin));
  return text;
}

std::size_t StorageLineCount(std::string_view text) {
  std::size_t segments = 1;
  for (std::size_t at = text.find(kLineBreak); at != std::string_view::npos;
       at = text.find(kLineBreak, at + kLineBreak.size()))
    ++segments;
  return EndsWithLineBreak(text) || text.empty() ? segments - 1 : segments;
}

StorageEdit PlanStoreSlogan(std::string_view text, std::string_view slogan,
                            const SloganMatcher& matches) {
  StorageEdit edit;
  std::size_t line_begin = 0;
  for (std::size_t line = 0;; ++line) {
    const std::size_t line_break = text.find(kLineBreak, line_begin);
    const bool last_segment = line_break == std::string_view::npos;
    const std::size_t line_end = last_segment ? text.size() : line_break;
    // An empty last segment is no line of the list.
    if (last_segment && line_begin == text.size()) break;
    if (matches(text.substr(line_begin, line_end - line_begin), slogan)) {
      edit.removes_line = true;
      edit.removed_line = line;
      edit.remove_begin = line_begin;
      edit.remove_end = last_segment ? line_end : line_end + kLineBreak.size();
      break;
    }
    if (last_segment) break;
    line_begin = line_break + kLineBreak.size();
  }

  // The text as the removal leaves it ends as its kept prefix does when the
  // removed range reached the end, and as the whole text does otherwise.
  const std::string_view kept_end =
      edit.remove_end == text.size() ? text.substr(0, edit.remove_begin) : text;
  const bool needs_break_before =
      !kept_end.empty() && !EndsWithLineBreak(kept_end);
  if (needs_break_before) {
    edit.appended.append(kLineBreak).append(slogan);
  } else {
    edit.appended.append(slogan).append(kLineBreak);
  }
  return edit;
}

void ApplyStorageEdit(std::string& text, const StorageEdit& edit) {
  if (edit.removes_line)
    text.erase(edit.remove_begin, edit.remove_end - edit.remove_begin);
  text += edit.appended;
}

void StoreSlogan(std::string& text, std::string_view slogan) {
  ApplyStorageEdit(text, PlanStoreSlogan(text, slogan, SlogansMatch));
}
