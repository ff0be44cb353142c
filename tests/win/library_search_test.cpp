// System libraries are loaded from the system folder by their full path.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "win32/system/library_search_win32.h"
#include "win32/system/unique_handle_win32.h"

namespace tavlin {

namespace fs = std::filesystem;

namespace {

fs::path ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  return path;
}

TEST(SystemLibraries, ComeFromTheSystemFolder) {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  for (const wchar_t* name : {L"version.dll", L"psapi.dll"}) {
    const UniqueModule module(LoadSystemLibrary(name));
    ASSERT_TRUE(module) << fs::path(name);
    EXPECT_TRUE(fs::equivalent(ModulePath(module.get()).parent_path(), system))
        << ModulePath(module.get());
  }
  EXPECT_FALSE(UniqueModule(LoadSystemLibrary(L"no-such-library.dll")));
}

}  // namespace

}  // namespace tavlin
