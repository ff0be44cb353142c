#include "src/platform/file_access.h"

namespace tavlin {

std::string ReadWholeFile(const std::filesystem::path& path) {
  // Nothing to compare with: an empty previous text of another size than
  // the file's is never taken for it, and an empty file reads as empty.
  std::optional<std::string> bytes = ReadWholeFileIfChanged(path, {});
  return bytes ? std::move(*bytes) : std::string();
}

}  // namespace tavlin
