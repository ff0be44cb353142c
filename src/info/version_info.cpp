#include "src/info/version_info.h"

#include <cstring>

namespace tavlin {

namespace {

void AppendHex4(std::u16string& out, std::uint32_t value) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4)
    out += kDigits[(value >> shift) & 0xF];
}

bool IsTrimmed(char16_t c) { return c <= 0x20; }

}  // namespace

std::u16string StringValuePath(std::uint32_t translation,
                               std::u16string_view name) {
  std::u16string path = u"\\StringFileInfo\\";
  AppendHex4(path, translation & 0xFFFF);  // language
  AppendHex4(path, translation >> 16);     // code page
  path += u'\\';
  path += name;
  return path;
}

std::u16string VersionValueText(const char16_t* text, std::uint32_t length) {
  std::u16string_view value(text, length);
  value = value.substr(0, value.find(u'\0'));
  while (!value.empty() && IsTrimmed(value.front())) value.remove_prefix(1);
  while (!value.empty() && IsTrimmed(value.back())) value.remove_suffix(1);
  return std::u16string(value);
}

std::u16string LookUpVersionValue(const VersionBlockQuery& query,
                                  std::u16string_view name) {
  const std::optional<VersionSubBlock> translations =
      query(u"\\VarFileInfo\\Translation");
  if (!translations || translations->length < sizeof(std::uint32_t)) return {};
  std::uint32_t first;
  std::memcpy(&first, translations->data, sizeof first);
  const std::optional<VersionSubBlock> value =
      query(StringValuePath(first, name));
  if (!value || value->length == 0) return {};
  return VersionValueText(static_cast<const char16_t*>(value->data),
                          value->length);
}

std::u16string ApplicationTitleOf(
    const std::filesystem::path& executable,
    const std::function<std::u16string(std::u16string)>& to_lower) {
  std::u16string name = executable.filename().u16string();
  name = name.substr(0, name.find(u'.'));
  if (name.size() > 1) name = name.substr(0, 1) + to_lower(name.substr(1));
  return name;
}

std::u16string VersionCaption(std::u16string_view title,
                              std::u16string_view file_version,
                              std::u16string_view component_name) {
  std::u16string caption(title);
  caption += u" Ver.";
  caption += file_version;
  caption += u" - ";
  caption += component_name;
  return caption;
}

}  // namespace tavlin
