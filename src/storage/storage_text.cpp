#include "src/storage/storage_text.h"

#include <utility>

#include "src/storage/slogan_match.h"

namespace tavlin {

namespace {

bool IsStrippable(char c) { return static_cast<unsigned char>(c) <= 0x20; }

}  // namespace

ShiftJisText NormaliseStorageText(std::string_view file_bytes) {
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
  return ShiftJisText(std::move(text));
}

std::u16string NormaliseStorageText(std::u16string_view text) {
  text = text.substr(0, text.find(u'\0'));
  std::size_t begin = 0;
  while (begin < text.size() && text[begin] <= 0x20) ++begin;
  std::size_t end = text.size();
  while (end > begin && text[end - 1] <= 0x20) --end;
  text = text.substr(begin, end - begin);
  std::u16string normal;
  normal.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      normal += u"\r\n";
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      normal += text[i];
    }
  }
  return normal;
}

void StoreSlogan(ShiftJisText& text, ShiftJisView slogan) {
  // A line of the list is Shift-JIS as the list is.
  const auto matches = [](std::string_view line, std::string_view wanted) {
    return SlogansMatch(ShiftJisView(line), ShiftJisView(wanted));
  };
  ApplyStorageEdit(text.bytes(), PlanStoreSlogan(std::string_view(text.bytes()),
                                                 slogan.bytes(), matches));
}

}  // namespace tavlin
