#include "src/slogan/phrase_list.h"

#include <utility>

#include "src/slogan/phrase_lines.h"

namespace tavlin {

void PhraseList::AssignIndexedFileBytes(std::string bytes, PhraseIndex index) {
  bytes_ = std::move(bytes);
  index_ = std::move(index);
  file_bytes_.clear();
  converted_ = false;
}

void PhraseList::AssignConvertedFile(std::string file_bytes,
                                     std::string shift_jis) {
  AssignFileBytes(std::move(shift_jis));
  file_bytes_ = std::move(file_bytes);
  converted_ = true;
}

bool PhraseList::Contains(std::string_view phrase) const {
  if (IsBlankLine(phrase) || phrase.find_first_of("\r\n") != phrase.npos)
    return false;
  const std::string_view text =
      std::string_view(bytes_).substr(0, index_.text_end);
  const auto is_line_end = [&](std::size_t at) {
    return at == text.size() || text[at] == '\r' || text[at] == '\n';
  };
  for (std::size_t at = text.find(phrase); at != std::string_view::npos;
       at = text.find(phrase, at + 1)) {
    if ((at == 0 || is_line_end(at - 1)) && is_line_end(at + phrase.size()))
      return true;
  }
  return false;
}

}  // namespace tavlin
