// Values of a file's version resource and the window captions made from
// them. The lookup rules are portable; reading a real resource is the
// Windows side's (win32/system/version_value_win32.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavlin {

// The names of the values a version resource may hold; callers pass an
// entry, never free text. "DeveropEnvironment" is spelt as the resources of
// this program spell it.
inline constexpr std::array<std::u16string_view, 14> VersionInfoKeys = {
    u"Comments",           u"CompanyName",
    u"FileDescription",    u"FileVersion",
    u"InternalName",       u"LegalCopyright",
    u"LegalTrademarks",    u"OriginalFilename",
    u"PrivateBuild",       u"ProductName",
    u"ProductVersion",     u"SpecialBuild",
    u"DeveropEnvironment", u"Thanks"};

enum VersionInfoKey : std::size_t {
  kFileDescription = 2,
  kFileVersion = 3,
  kDeveropEnvironment = 12,
  kThanks = 13,
};

// What a version block answers for a sub-block path: its bytes, or nothing
// when the path is absent or has a length of 0.
struct VersionSubBlock {
  const void* data;
  std::uint32_t length;  // in bytes for the translation array, else in
                         // characters
};
using VersionBlockQuery =
    std::function<std::optional<VersionSubBlock>(const std::u16string& path)>;

// "\StringFileInfo\" + language and code page as four upper-case hex digits
// each + "\" + name.
std::u16string StringValuePath(std::uint32_t translation,
                               std::u16string_view name);

// The text of a string value: up to its first NUL, never more than its
// stated length, with characters of 0x20 or less removed at both ends.
std::u16string VersionValueText(const char16_t* text, std::uint32_t length);

// Looks a value up in the string table of the block's first translation;
// empty when there is no translation or no such value.
std::u16string LookUpVersionValue(const VersionBlockQuery& query,
                                  std::u16string_view name);

// The application title: the file name without its folder, cut before its
// first ".", every character after the first turned to lower case by
// to_lower (the system's rule on Windows).
std::u16string ApplicationTitleOf(
    const std::filesystem::path& executable,
    const std::function<std::u16string(std::u16string)>& to_lower);

// "<title> Ver.<version> - <component>".
std::u16string VersionCaption(std::u16string_view title,
                              std::u16string_view file_version,
                              std::u16string_view component_name);

}  // namespace tavlin
