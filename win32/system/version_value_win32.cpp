#include "win32/system/version_value_win32.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "src/info/version_info.h"
#include "win32/system/library_search_win32.h"
#include "win32/system/unique_handle_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

using SizeFunction = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
using InfoFunction = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
using QueryFunction = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

// version.dll is no known DLL: loaded by name, a planted copy beside the
// program would win. It is loaded from the system folder once and kept.
struct VersionLibrary {
  UniqueModule module{LoadSystemLibrary(L"version.dll")};
  SizeFunction size = nullptr;
  InfoFunction info = nullptr;
  QueryFunction query = nullptr;

  VersionLibrary() {
    size =
        LibraryFunction<SizeFunction>(module.get(), "GetFileVersionInfoSizeW");
    info = LibraryFunction<InfoFunction>(module.get(), "GetFileVersionInfoW");
    query = LibraryFunction<QueryFunction>(module.get(), "VerQueryValueW");
  }
  bool usable() const { return size && info && query; }
};

const VersionLibrary& Version() {
  static const VersionLibrary library;
  return library;
}

}  // namespace

std::u16string GetVersionInfoValue(std::u16string_view name,
                                   const std::filesystem::path& file) {
  const VersionLibrary& library = Version();
  if (!library.usable()) return {};
  DWORD ignored = 0;
  const DWORD size = library.size(file.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> block(size);
  library.info(file.c_str(), 0, size, block.data());
  const VersionBlockQuery query =
      [&](const std::u16string& path) -> std::optional<VersionSubBlock> {
    void* data = nullptr;
    UINT length = 0;
    if (!library.query(block.data(), WideCString(path), &data, &length) ||
        length == 0 || data == nullptr)
      return std::nullopt;
    return VersionSubBlock{data, length};
  };
  return LookUpVersionValue(query, name);
}

}  // namespace tavlin
