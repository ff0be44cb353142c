#include "slogan/phrase_list.h"

#include "slogan/phrase_lines.h"

namespace {

// The count of line ends, plus one, bounds the number of lines; reserving it
// keeps the offsets from being copied while they grow.
std::size_t MaximumLineCount(std::string_view bytes) {
  std::size_t line_ends = 1;
  const std::size_t size = bytes.size();
  for (std::size_t i = 0; i < size; ++i) {
    const char c = bytes[i];
    const bool lone_cr = c == '\r' && (i + 1 == size || bytes[i + 1] != '\n');
    line_ends += static_cast<std::size_t>(c == '\n') + lone_cr;
  }
  return line_ends;
}

}  // namespace

void PhraseList::AssignFileBytes(std::string bytes) {
  std::vector<Span> phrases;
  phrases.reserve(MaximumLineCount(bytes));
  ForEachLine(bytes, [&](std::size_t begin, std::size_t length) {
    if (!IsBlankLine(std::string_view(bytes.data() + begin, length)))
      phrases.push_back(Span{begin, length});
  });
  bytes_ = std::move(bytes);
  phrases_ = std::move(phrases);
}
