#include "src/platform/tavlin_error.h"

#include <exception>
#include <new>

#include "src/platform/messages.h"

namespace tavlin {

std::string PathForMessage(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::string ComposeMessage(std::string_view pattern,
                           std::initializer_list<std::string_view> arguments) {
  std::string result;
  auto next = arguments.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' &&
        next != arguments.end()) {
      result += *next++;
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}

TavlinError CannotOpenFileError(const std::filesystem::path& path) {
  return TavlinError(ComposeMessage(kCannotOpenFile, {PathForMessage(path)}));
}

TavlinError CannotCreateFileError(const std::filesystem::path& path) {
  return TavlinError(ComposeMessage(kCannotCreateFile, {PathForMessage(path)}));
}

UserReport CurrentExceptionReport() noexcept {
  try {
    try {
      throw;
    } catch (const std::bad_alloc&) {
      return {UserReport::Kind::Failure, std::string(kOutOfMemory)};
    } catch (const std::exception& error) {
      return {UserReport::Kind::Failure, error.what()};
    } catch (...) {
      return {UserReport::Kind::Failure, std::string(kUnexpectedError)};
    }
  } catch (...) {
    return {UserReport::Kind::Failure, {}};  // no memory left for the text
  }
}

}  // namespace tavlin
