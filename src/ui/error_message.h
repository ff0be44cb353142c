// The text of the common error report.
#pragma once

#include <string>
#include <string_view>

namespace tavlin {

// A failure's message as the report shows it: a full stop is appended
// unless the last character is one of "." or the characters coded below it
// (a blank, "!", "-" and the like). UTF-8 in and out.
std::string CompleteErrorMessage(std::string_view message);

}  // namespace tavlin
