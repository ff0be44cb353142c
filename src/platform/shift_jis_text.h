// Shift-JIS bytes as a type of their own. The program carries text in three
// encodings: UTF-16 on screen, UTF-8 in messages and Shift-JIS in the phrase
// and storage files. In a plain std::string the last two look alike, and
// the wrong converter would compile and garble the text; these types reach
// the screen only through the Shift-JIS converters.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace tavlin {

class ShiftJisText {
 public:
  ShiftJisText() = default;
  explicit ShiftJisText(std::string bytes) noexcept
      : bytes_(std::move(bytes)) {}

  const std::string& bytes() const noexcept { return bytes_; }
  std::string& bytes() noexcept { return bytes_; }
  bool empty() const noexcept { return bytes_.empty(); }

  friend bool operator==(const ShiftJisText&, const ShiftJisText&) = default;

 private:
  std::string bytes_;
};

// A view of Shift-JIS bytes owned elsewhere: a ShiftJisText, or bytes that
// the code naming them vouches for (a line of a phrase or storage file).
class ShiftJisView {
 public:
  constexpr ShiftJisView() noexcept = default;
  constexpr explicit ShiftJisView(std::string_view bytes) noexcept
      : bytes_(bytes) {}
  // Implicit, as a std::string converts to its std::string_view.
  ShiftJisView(const ShiftJisText& text) noexcept : bytes_(text.bytes()) {}

  constexpr std::string_view bytes() const noexcept { return bytes_; }

 private:
  std::string_view bytes_;
};

}  // namespace tavlin
