// Path rules of the shell operations, on UTF-16 paths where "\" and ":"
// separate; a Unicode path has no double-byte characters to misread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavlin {

// Everything up to and including the last separator; empty without one.
std::u16string DirectoryPart(std::u16string_view path);

// The directory part without its final "\", unless the character before it
// is a separator too, so that roots keep theirs (C:\Tavlin.exe gives C:\).
std::u16string DirectoryOf(std::u16string_view path);

// The text with one final "\" removed, if it ends in one.
std::u16string WithoutTrailingSeparator(std::u16string_view path);

// "<folder without trailing separator>\<name>.lnk".
std::u16string ShortcutFilePath(std::u16string_view folder,
                                std::u16string_view name);

// The file name without its folder and without its last extension
// (C:\Tools\Tavlin.exe gives Tavlin).
std::u16string ShortcutName(std::u16string_view executable);

// The file name with its extension, without its folder.
std::u16string FileNameOf(std::u16string_view path);

// "MailTo:<address>?subject=from [<program>] user", nothing encoded.
std::u16string MailToTarget(std::u16string_view address,
                            std::u16string_view program_file_name);

// The message of a failure code: the system's text for it without trailing
// blanks, control characters and full stops, or "OLE エラー XXXXXXXX" when
// the system has none. UTF-8.
std::string OleErrorMessage(std::uint32_t code, std::string_view system_text);

}  // namespace tavlin
