#include "src/platform/text_encoding.h"

#include "src/platform/unicode_text.h"

namespace tavlin {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Strict UTF-8, each code point handed to on_code_point; false at the first
// sequence that would not come back as it was (an overlong form, a
// surrogate, a code point beyond Unicode). multi_byte tells whether any
// sequence was longer than one byte.
template <typename OnCodePoint>
bool ScanUtf8(std::string_view bytes, OnCodePoint&& on_code_point,
              bool* multi_byte = nullptr) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    char32_t c = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3Fu);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
      return false;
    if (length > 1 && multi_byte) *multi_byte = true;
    on_code_point(c);
    i += length;
  }
  return true;
}

std::optional<std::u16string> DecodeUtf8(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  if (!ScanUtf8(bytes, [&](char32_t c) { AppendCodePoint(text, c); }))
    return std::nullopt;
  return text;
}

// Strict UTF-16, each unit handed to on_unit: false where a surrogate lacks
// its partner, or the length is odd, for the text would not come back.
template <typename OnUnit>
bool ScanUtf16(std::string_view bytes, bool big_endian, OnUnit&& on_unit) {
  if (bytes.size() % 2 != 0) return false;
  const auto unit_at = [&](std::size_t i) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char16_t>(big_endian ? (first << 8) | second
                                            : (second << 8) | first);
  };
  bool lead_waiting = false;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    const char16_t unit = unit_at(i);
    const bool trail = unit >= 0xDC00 && unit <= 0xDFFF;
    if (trail != lead_waiting) return false;
    lead_waiting = unit >= 0xD800 && unit <= 0xDBFF;
    on_unit(unit);
  }
  return !lead_waiting;
}

std::optional<std::u16string> DecodeUtf16(std::string_view bytes,
                                          bool big_endian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  if (!ScanUtf16(bytes, big_endian, [&](char16_t unit) { text += unit; }))
    return std::nullopt;
  return text;
}

// UTF-16 without a mark shows itself by its zero bytes: the high half of
// every ASCII character, line breaks among them. Text with no line feed or
// fewer than two such zeros is left to Shift-JIS, where a zero byte makes
// the file one not read cleanly and never rewritten: the safe side of a
// wrong guess. Told without a copy of the text.
bool LooksLikeUtf16WithoutMark(std::string_view bytes, bool big_endian) {
  if (bytes.size() < 4 || bytes.size() % 2 != 0) return false;
  const std::size_t high_half = big_endian ? 0 : 1;
  // Found by the library's search rather than byte by byte: a phrase file
  // of tens of megabytes in Shift-JIS has no zero byte at all.
  std::size_t zeros = 0;
  for (std::size_t at = bytes.find('\0');
       at != std::string_view::npos && zeros < 2; at = bytes.find('\0', at + 1))
    if (at % 2 == high_half) ++zeros;
  if (zeros < 2) return false;
  bool line_feed = false;
  bool control = false;
  const bool valid = ScanUtf16(bytes, big_endian, [&](char16_t c) {
    line_feed = line_feed || c == u'\n';
    control = control || (c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n');
  });
  return valid && line_feed && !control;
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
  return DetectTextEncoding(bytes, bytes.find('\0') != std::string_view::npos);
}

TextEncoding DetectTextEncoding(std::string_view bytes, bool holds_zero_byte) {
  if (bytes.starts_with(kUtf8Mark)) return TextEncoding::Utf8WithBom;
  if (bytes.starts_with(kUtf16LeMark)) return TextEncoding::Utf16Le;
  if (bytes.starts_with(kUtf16BeMark)) return TextEncoding::Utf16Be;
  // UTF-16 without a mark has zero bytes; a text without any is none of
  // the two.
  if (holds_zero_byte && LooksLikeUtf16WithoutMark(bytes, false))
    return TextEncoding::Utf16LeWithoutMark;
  if (holds_zero_byte && LooksLikeUtf16WithoutMark(bytes, true))
    return TextEncoding::Utf16BeWithoutMark;
  // Told without a copy of the text: phrase files run to tens of megabytes.
  bool multi_byte = false;
  if (ScanUtf8(
          bytes, [](char32_t) {}, &multi_byte) &&
      multi_byte)
    return TextEncoding::Utf8;
  return TextEncoding::ShiftJis;
}

std::optional<std::u16string> DecodeUnicodeText(std::string_view bytes,
                                                TextEncoding encoding) {
  const auto without = [&](std::string_view mark) {
    return bytes.starts_with(mark) ? std::optional(bytes.substr(mark.size()))
                                   : std::nullopt;
  };
  if (bytes.empty()) return std::u16string();
  std::optional<std::string_view> body;
  switch (encoding) {
    case TextEncoding::Utf8:
      return DecodeUtf8(bytes);
    case TextEncoding::Utf8WithBom:
      body = without(kUtf8Mark);
      return body ? DecodeUtf8(*body) : std::nullopt;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: {
      const bool big_endian = encoding == TextEncoding::Utf16Be;
      body = without(big_endian ? kUtf16BeMark : kUtf16LeMark);
      return body ? DecodeUtf16(*body, big_endian) : std::nullopt;
    }
    case TextEncoding::Utf16LeWithoutMark:
    case TextEncoding::Utf16BeWithoutMark:
      return DecodeUtf16(bytes, encoding == TextEncoding::Utf16BeWithoutMark);
    case TextEncoding::ShiftJis:
      break;
  }
  return std::nullopt;
}

std::string EncodeUnicodeText(std::u16string_view text, TextEncoding encoding,
                              bool& lossy) {
  // A surrogate without its partner has no form in any Unicode encoding.
  lossy = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool lead = text[i] >= 0xD800 && text[i] <= 0xDBFF;
    const bool trail = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
    if (lead && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
      ++i;
    else if (lead || trail)
      lossy = true;
  }
  switch (encoding) {
    case TextEncoding::Utf8:
      return Utf8FromU16(text);
    case TextEncoding::Utf8WithBom:
      return std::string(kUtf8Mark) + Utf8FromU16(text);
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
    case TextEncoding::Utf16LeWithoutMark:
    case TextEncoding::Utf16BeWithoutMark:
      break;
    case TextEncoding::ShiftJis:
      return {};
  }
  const bool big_endian = encoding == TextEncoding::Utf16Be ||
                          encoding == TextEncoding::Utf16BeWithoutMark;
  const bool marked =
      encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
  std::string bytes(!marked      ? std::string_view()
                    : big_endian ? kUtf16BeMark
                                 : kUtf16LeMark);
  std::u16string units;
  ForEachCodePoint(text, [&](char32_t c) { AppendCodePoint(units, c); });
  for (const char16_t unit : units) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}

std::optional<std::u16string> EncodingCodec::Decode(
    std::string_view bytes) const {
  if (encoding_ != TextEncoding::ShiftJis)
    return DecodeUnicodeText(bytes, encoding_);
  return shift_jis_ ? shift_jis_->Decode(bytes) : std::nullopt;
}

std::string EncodingCodec::Encode(std::u16string_view text, bool& lossy) const {
  if (encoding_ != TextEncoding::ShiftJis)
    return EncodeUnicodeText(text, encoding_, lossy);
  lossy = !text.empty();
  return shift_jis_ ? shift_jis_->Encode(text, lossy) : std::string();
}

}  // namespace tavlin
