// Storing a slogan: it becomes the last line, the topmost matching line
// goes, and every other line stays in its order.
#include <vector>

#include "fuzz_input.h"
#include "src/storage/slogan_match.h"
#include "src/storage/storage_text.h"

using namespace tavlin;

namespace {

std::vector<std::string> LinesOf(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t at = text.find("\r\n", begin);
    if (at == std::string_view::npos) break;
    lines.emplace_back(text.substr(begin, at - begin));
    begin = at + 2;
  }
  if (begin < text.size()) lines.emplace_back(text.substr(begin));
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzInput input(data, size);
  const std::string_view slogan = input.TakeUntil('\n');
  // A slogan is one line of the slogan list: no line break inside.
  if (slogan.empty() || slogan.find_first_of("\r\n") != std::string_view::npos)
    return 0;
  ShiftJisText text{std::string(input.Rest())};
  const std::vector<std::string> before = LinesOf(text.bytes());
  StoreSlogan(text, ShiftJisView(slogan));
  const std::vector<std::string> after = LinesOf(text.bytes());

  std::vector<std::string> expected = before;
  for (auto it = expected.begin(); it != expected.end(); ++it) {
    if (FoldedShiftJisEqual(*it, slogan)) {
      expected.erase(it);
      break;
    }
  }
  expected.emplace_back(slogan);
  FUZZ_CHECK(after == expected);
  return 0;
}
