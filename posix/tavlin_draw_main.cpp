// Prints slogans drawn as the program draws them, to read aloud whether a
// theme's phrases join: one a line in UTF-8, the parts apart by an
// ideographic space.
//   tavlin_draw FOLDER THEME COUNT SEED
// The generator is seeded once and generations follow one another from it,
// so the same arguments print the same slogans again.
#include <iconv.h>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "src/platform/tavlin_error.h"
#include "src/platform/text_encoding.h"
#include "src/slogan/mt19937ar.h"
#include "src/slogan/slogan_generator.h"

using namespace tavlin;

namespace {

// Code page 932 as glibc converts it. Bytes that do not convert are printed
// as they are: without a converter the program keeps a UTF-8 file's bytes.
std::string Utf8FromShiftJis(ShiftJisView text) {
  iconv_t convert = iconv_open("UTF-8", "CP932");
  if (convert == reinterpret_cast<iconv_t>(-1))
    return std::string(text.bytes());
  std::string in(text.bytes());
  std::string out(in.size() * 3 + 1, '\0');
  char* in_at = in.data();
  char* out_at = out.data();
  std::size_t in_left = in.size();
  std::size_t out_left = out.size();
  const std::size_t done = iconv(convert, &in_at, &in_left, &out_at, &out_left);
  iconv_close(convert);
  if (done == static_cast<std::size_t>(-1)) return std::string(text.bytes());
  out.resize(out.size() - out_left);
  return out;
}

// A number the whole of text spells, in decimal.
template <class Number>
std::optional<Number> NumberOf(const char* text) {
  Number number{};
  const char* end = text + std::strlen(text);
  const auto [at, error] = std::from_chars(text, end, number);
  if (error != std::errc() || at != end) return std::nullopt;
  return number;
}

class PrintedSlogans final : public SloganListTarget {
 public:
  explicit PrintedSlogans(int count) : left_(count) {}
  int left() const { return left_; }

  void RemoveAll() override {}
  void Append(ShiftJisView slogan) override {
    if (left_-- > 0) std::cout << Utf8FromShiftJis(slogan) << '\n';
  }
  void AppendParts(const ComposedSlogan& slogan) override {
    if (left_-- <= 0) return;
    std::cout << Utf8FromShiftJis(slogan.parts[0]) << "　"
              << Utf8FromShiftJis(slogan.parts[1]) << "　"
              << Utf8FromShiftJis(slogan.parts[2]) << '\n';
  }

 private:
  int left_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: tavlin_draw FOLDER THEME COUNT SEED\n";
    return 2;
  }
  const std::optional<std::u16string> theme =
      DecodeUnicodeText(argv[2], TextEncoding::Utf8);
  const std::optional<int> count = NumberOf<int>(argv[3]);
  const std::optional<std::uint32_t> seed = NumberOf<std::uint32_t>(argv[4]);
  if (!theme || !count || *count < 0 || !seed) {
    std::cerr << "usage: tavlin_draw FOLDER THEME COUNT SEED\n";
    return 2;
  }
  PhraseLists lists;
  try {
    LoadThemePhrases(*theme, argv[1], lists);
  } catch (const TavlinError& failure) {
    std::cerr << "tavlin_draw: " << failure.what() << "\n";
    return 1;
  }
  if (lists.upper.empty() || lists.middle.empty() || lists.lower.empty()) {
    std::cerr << "tavlin_draw: the theme's three files are not all there\n";
    return 1;
  }
  init_genrand(*seed);
  PrintedSlogans printed(*count);
  while (printed.left() > 0) ComposeSlogans(lists, printed);
  return 0;
}
