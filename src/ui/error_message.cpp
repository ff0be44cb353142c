#include "src/ui/error_message.h"

namespace tavlin {

std::string CompleteErrorMessage(std::string_view message) {
  std::string text(message);
  // Any byte of a multi-byte character is 0x80 or above, beyond ".".
  if (text.empty() || static_cast<unsigned char>(text.back()) > '.')
    text += '.';
  return text;
}

}  // namespace tavlin
