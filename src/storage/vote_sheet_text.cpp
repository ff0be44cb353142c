#include "src/storage/vote_sheet_text.h"

#include <optional>

#include "src/platform/text_encoding.h"

namespace tavlin {

namespace {

constexpr std::u16string_view kEmptyFile = u"空のファイルです";
constexpr std::u16string_view kExcelWorkbook =
    u"Excel のブックのままです。Excel で開き、「ファイル」→「名前を付けて保存」"
    u"で「CSV UTF-8 (コンマ区切り)」を選んで保存したファイルを選んでください";
constexpr std::u16string_view kBinaryFile =
    u"文字のファイルではありません（CSV として読めません）";
constexpr std::u16string_view kDoesNotDecode =
    u"読み取れない文字があります。Excel で「CSV UTF-8 (コンマ区切り)」として"
    u"保存し直してください";

// .xlsx is a zip archive, .xls a compound file: both say so in their first
// bytes, and deserve a word on how to save them as CSV rather than
// "not text".
bool IsExcelWorkbook(std::string_view bytes) {
  return bytes.starts_with("PK\x03\x04") ||
         bytes.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

// Text holds line breaks and tabs, hardly another control character; a
// file of many of them (or any zero character) is something else that
// happened to decode.
bool LooksBinary(std::u16string_view text) {
  std::size_t controls = 0;
  for (const char16_t c : text) {
    if (c == u'\0') return true;
    if ((c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') || c == 0x7F)
      ++controls;
  }
  return controls > text.size() / 50;
}

struct Decoded {
  std::optional<std::u16string> text;
  bool utf16 = false;
  bool binary = false;
};

Decoded DecodeByMarkOrValidity(std::string_view bytes,
                               const TextCodec& shift_jis) {
  if (bytes.starts_with("\xEF\xBB\xBF"))
    return {DecodeUnicodeText(bytes, TextEncoding::Utf8WithBom)};
  if (bytes.starts_with("\xFF\xFE"))
    return {DecodeUnicodeText(bytes, TextEncoding::Utf16Le), true};
  if (bytes.starts_with("\xFE\xFF"))
    return {DecodeUnicodeText(bytes, TextEncoding::Utf16Be), true};
  // A zero byte is never text in an encoding of single bytes and pairs;
  // shown as binary rather than left to a codec that might take it.
  if (bytes.find('\0') != std::string_view::npos)
    return {std::nullopt, false, true};
  if (auto utf8 = DecodeUnicodeText(bytes, TextEncoding::Utf8)) return {utf8};
  return {shift_jis.Decode(bytes)};
}

}  // namespace

VoteSheetText DecodeVoteSheet(std::string_view bytes,
                              const TextCodec& shift_jis) {
  VoteSheetText sheet;
  if (bytes.empty()) {
    sheet.refusal = kEmptyFile;
  } else if (IsExcelWorkbook(bytes)) {
    sheet.refusal = kExcelWorkbook;
  } else {
    Decoded decoded = DecodeByMarkOrValidity(bytes, shift_jis);
    if (decoded.binary || (decoded.text && LooksBinary(*decoded.text)))
      sheet.refusal = kBinaryFile;
    else if (!decoded.text)
      sheet.refusal = kDoesNotDecode;
    else
      sheet.text = std::move(*decoded.text);
    sheet.usual_separator = decoded.utf16 ? u'\t' : u',';
  }
  return sheet;
}

}  // namespace tavlin
