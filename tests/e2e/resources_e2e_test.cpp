// Tavlin.exe's own resources as the system reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include "e2e/tavlin_process.h"
#include "src/info/version_info.h"
#include "win32/system/version_value_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

std::wstring ValueOf(std::size_t key) {
  return std::wstring(AsWide(
      GetVersionInfoValue(VersionInfoKeys[key], BuiltTavlinExecutable())));
}

TEST(TavlinResources, VersionValuesReadBackAsWritten) {
  EXPECT_EQ(ValueOf(kFileVersion), L"0.9.11.29");
  EXPECT_EQ(ValueOf(kFileDescription), L"標語メーカー");
  EXPECT_EQ(ValueOf(kDeveropEnvironment),
            L"C++20 / MinGW-w64 GCC 12 / the Tavlin developers / 2026");
  EXPECT_EQ(ValueOf(kThanks),
            L"Reference works\r\n標語カード集/慣用句辞典/語句組み合わせ表");
  EXPECT_EQ(ValueOf(0), L"");  // no "Comments"
  EXPECT_EQ(ValueOf(1), L"");  // "CompanyName" is empty
  EXPECT_EQ(ValueOf(5), L"");  // so is "LegalCopyright"
}

TEST(TavlinResources, HaveOneTranslationAndTheFixedFileVersion) {
  const std::filesystem::path program = BuiltTavlinExecutable();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<unsigned char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, block.data()));
  void* data = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &data,
                             &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(*static_cast<DWORD*>(data), 0x04E40409u);
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &data, &length));
  const auto* fixed = static_cast<VS_FIXEDFILEINFO*>(data);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00000009u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x000B001Du);
}

TEST(TavlinResources, CarryTheMainIconAndAManifest) {
  const std::filesystem::path program = BuiltTavlinExecutable();
  HMODULE module =
      LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  EXPECT_NE(FindResourceW(module, L"MAINICON", RT_GROUP_ICON), nullptr);
  HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_NE(manifest, nullptr);
  const char* text =
      static_cast<const char*>(LockResource(LoadResource(module, manifest)));
  const std::string xml(text, SizeofResource(module, manifest));
  EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(xml.find("asInvoker"), std::string::npos);
  EXPECT_NE(xml.find("PerMonitorV2"), std::string::npos);
  FreeLibrary(module);
}

}  // namespace

}  // namespace tavlin
