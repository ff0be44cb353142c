// The storage list as text: Shift-JIS bytes with CR LF line breaks, the
// lines seen through it, and the store rule that moves a slogan to its end.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

inline constexpr std::string_view kLineBreak = "\r\n";

// The text a storage file's bytes load as: every line break made CR LF,
// everything from the first zero byte on dropped, and every byte of 0x20 or
// less stripped from both ends.
std::string NormaliseStorageText(std::string_view file_bytes);

// The number of lines: the CR LF-separated segments, less an empty last one.
std::size_t StorageLineCount(std::string_view text);

// What storing a slogan does to a text, as two edits that a text box can
// apply in turn: remove one line (a byte range of the text as it was), then
// insert text at the very end.
struct StorageEdit {
  bool removes_line = false;
  std::size_t removed_line = 0;  // segment index
  std::size_t remove_begin = 0;
  std::size_t remove_end = 0;  // the CR LF after the line, if any, included
  std::string appended;
};

using SloganMatcher =
    std::function<bool(std::string_view line, std::string_view slogan)>;

// The edits that remove the topmost line matching slogan and append the
// slogan, behind a line break unless the text is empty or already ends
// with one, in which case the slogan carries a line break of its own.
StorageEdit PlanStoreSlogan(std::string_view text, std::string_view slogan,
                            const SloganMatcher& matches);

void ApplyStorageEdit(std::string& text, const StorageEdit& edit);

// Stores slogan in text, matching lines as the user's locale does.
void StoreSlogan(std::string& text, std::string_view slogan);
