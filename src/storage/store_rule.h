// The store rule of a storage list: the topmost line that matches a slogan
// goes, and the slogan is appended at the end. Written once for the list's
// Shift-JIS bytes and for the UTF-16 text of the box that shows it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavlin {

// What storing a slogan does to a text, as two edits that a text box can
// apply in turn: remove one line (a range of the text as it was), then
// insert text at the very end.
template <typename Char>
struct BasicStorageEdit {
  bool removes_line = false;
  std::size_t remove_begin = 0;
  std::size_t remove_end = 0;  // the CR LF after the line, if any, included
  std::basic_string<Char> appended;
};

template <typename Char>
inline constexpr Char kCrLf[] = {Char('\r'), Char('\n')};

template <typename Char>
constexpr std::basic_string_view<Char> LineBreakOf() {
  return std::basic_string_view<Char>(kCrLf<Char>, 2);
}

template <typename Char>
bool EndsWithLineBreak(std::basic_string_view<Char> text) {
  const auto line_break = LineBreakOf<Char>();
  return text.size() >= line_break.size() &&
         text.substr(text.size() - line_break.size()) == line_break;
}

// The edits that remove the topmost line for which matches(line, slogan)
// holds and append the slogan: behind a line break, unless what is left is
// empty or already ends with one; then the slogan brings its own.
template <typename Char, typename Matcher>
BasicStorageEdit<Char> PlanStoreSlogan(std::basic_string_view<Char> text,
                                       std::basic_string_view<Char> slogan,
                                       Matcher&& matches) {
  const auto line_break = LineBreakOf<Char>();
  BasicStorageEdit<Char> edit;
  std::size_t line_begin = 0;
  for (;;) {
    const std::size_t found = text.find(line_break, line_begin);
    const bool last_segment = found == std::basic_string_view<Char>::npos;
    const std::size_t line_end = last_segment ? text.size() : found;
    // An empty last segment is no line of the list.
    if (last_segment && line_begin == text.size()) break;
    if (matches(text.substr(line_begin, line_end - line_begin), slogan)) {
      edit.removes_line = true;
      edit.remove_begin = line_begin;
      edit.remove_end = last_segment ? line_end : line_end + line_break.size();
      break;
    }
    if (last_segment) break;
    line_begin = found + line_break.size();
  }

  // The text as the removal leaves it ends as its kept prefix does when the
  // removed range reached the end, and as the whole text does otherwise.
  const std::basic_string_view<Char> kept_end =
      edit.remove_end == text.size() ? text.substr(0, edit.remove_begin) : text;
  if (!kept_end.empty() && !EndsWithLineBreak(kept_end)) {
    edit.appended.append(line_break).append(slogan);
  } else {
    edit.appended.append(slogan).append(line_break);
  }
  return edit;
}

template <typename Char>
void ApplyStorageEdit(std::basic_string<Char>& text,
                      const BasicStorageEdit<Char>& edit) {
  if (edit.removes_line)
    text.erase(edit.remove_begin, edit.remove_end - edit.remove_begin);
  text += edit.appended;
}

}  // namespace tavlin
