// The failure that the program reports to the user: a message meant to be
// shown as it stands, in UTF-8.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "src/platform/messages.h"

namespace tavlin {

class TavlinError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  explicit TavlinError(std::string_view message)
      : std::runtime_error(std::string(message)) {}
};

// A path as UTF-8 text, for messages; lossless for any Unicode path.
std::string PathForMessage(const std::filesystem::path& path);

// Fills each "%s" of a message pattern with the next argument, in order.
// The arguments are copied whole, never read as patterns themselves.
std::string ComposeMessage(std::string_view pattern,
                           std::initializer_list<std::string_view> arguments);

// The failures that name one file: it cannot be opened or read, or it
// cannot be created or replaced.
TavlinError CannotOpenFileError(const std::filesystem::path& path);
TavlinError CannotCreateFileError(const std::filesystem::path& path);

// The report of the exception being handled, to be shown later; call only
// inside a catch block.
UserReport CurrentExceptionReport() noexcept;

}  // namespace tavlin
