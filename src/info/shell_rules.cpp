#include "src/info/shell_rules.h"

#include <cstdio>

#include "src/platform/messages.h"

namespace tavlin {

namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u':'; }

std::size_t AfterLastSeparator(std::u16string_view path) {
  std::size_t at = path.size();
  while (at > 0 && !IsSeparator(path[at - 1])) --at;
  return at;
}

}  // namespace

std::u16string DirectoryPart(std::u16string_view path) {
  return std::u16string(path.substr(0, AfterLastSeparator(path)));
}

std::u16string DirectoryOf(std::u16string_view path) {
  std::u16string directory = DirectoryPart(path);
  const std::size_t n = directory.size();
  if (n > 0 && directory[n - 1] == u'\\' &&
      !(n > 1 && IsSeparator(directory[n - 2])))
    directory.pop_back();
  return directory;
}

std::u16string WithoutTrailingSeparator(std::u16string_view path) {
  if (!path.empty() && path.back() == u'\\') path.remove_suffix(1);
  return std::u16string(path);
}

std::u16string ShortcutFilePath(std::u16string_view folder,
                                std::u16string_view name) {
  return WithoutTrailingSeparator(folder) + u"\\" + std::u16string(name) +
         u".lnk";
}

std::u16string FileNameOf(std::u16string_view path) {
  return std::u16string(path.substr(AfterLastSeparator(path)));
}

std::u16string ShortcutName(std::u16string_view executable) {
  std::u16string name = FileNameOf(executable);
  const std::size_t dot = name.rfind(u'.');
  if (dot != std::u16string::npos) name.erase(dot);
  return name;
}

std::u16string MailToTarget(std::u16string_view address,
                            std::u16string_view program_file_name) {
  return u"MailTo:" + std::u16string(address) + u"?subject=from [" +
         std::u16string(program_file_name) + u"] user";
}

std::string OleErrorMessage(std::uint32_t code, std::string_view system_text) {
  while (!system_text.empty() &&
         (static_cast<unsigned char>(system_text.back()) <= 0x20 ||
          system_text.back() == '.'))
    system_text.remove_suffix(1);
  if (!system_text.empty()) return std::string(system_text);
  char text[32];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(code));
  return std::string(kOleErrorPrefix) + text;
}

}  // namespace tavlin
