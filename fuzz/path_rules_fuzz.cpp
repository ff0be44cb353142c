// The path rules on arbitrary UTF-16 paths, and the storage file names on
// arbitrary paths of this system.
#include <filesystem>

#include "fuzz_input.h"
#include "src/info/shell_rules.h"
#include "src/storage/storage_file.h"

using namespace tavlin;

namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u':'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::u16string path(size / 2, u'\0');
  std::memcpy(path.data(), data, path.size() * 2);

  const std::u16string part = DirectoryPart(path);
  FUZZ_CHECK(path.compare(0, part.size(), part) == 0);
  FUZZ_CHECK(part.empty() || IsSeparator(part.back()));
  for (std::size_t i = part.size(); i < path.size(); ++i)
    FUZZ_CHECK(!IsSeparator(path[i]));
  const std::u16string directory = DirectoryOf(path);
  FUZZ_CHECK(part.compare(0, directory.size(), directory) == 0);
  FUZZ_CHECK(part.size() - directory.size() <= 1);
  FUZZ_CHECK(FileNameOf(path) == path.substr(part.size()));
  const std::u16string shortcut = ShortcutFilePath(part, ShortcutName(path));
  FUZZ_CHECK(shortcut.size() >= 4 &&
             shortcut.compare(shortcut.size() - 4, 4, u".lnk") == 0);

  const std::string native(reinterpret_cast<const char*>(data), size);
  for (const PhraseCategory category :
       {PhraseCategory::Safety, PhraseCategory::Quality}) {
    const std::string file = StorageFilePath(native, category).native();
    const std::string suffix =
        std::filesystem::path(category == PhraseCategory::Safety
                                  ? u8"安全保管庫.txt"
                                  : u8"品質保管庫.txt")
            .native();
    FUZZ_CHECK(
        file.size() >= suffix.size() &&
        file.compare(file.size() - suffix.size(), suffix.size(), suffix) == 0);
    const std::string base = file.substr(0, file.size() - suffix.size());
    // The base is the path itself, or the path less its extension.
    FUZZ_CHECK(native.compare(0, base.size(), base) == 0);
    if (base.size() < native.size()) FUZZ_CHECK(native[base.size()] == '.');
  }
  return 0;
}
