// Loading a storage file: only CR LF line breaks, no zero byte, nothing of
// 0x20 or less at either end, and loading what was saved changes nothing.
#include "fuzz_input.h"
#include "src/storage/storage_text.h"

using namespace tavlin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = NormaliseStorageText(bytes).bytes();
  FUZZ_CHECK(text.find('\0') == std::string::npos);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') FUZZ_CHECK(i + 1 < text.size() && text[i + 1] == '\n');
    if (text[i] == '\n') FUZZ_CHECK(i > 0 && text[i - 1] == '\r');
  }
  if (!text.empty()) {
    FUZZ_CHECK(static_cast<unsigned char>(text.front()) > 0x20);
    FUZZ_CHECK(static_cast<unsigned char>(text.back()) > 0x20);
  }
  FUZZ_CHECK(NormaliseStorageText(text).bytes() == text);
  FUZZ_CHECK(text.size() <= 2 * bytes.size());
  return 0;
}
