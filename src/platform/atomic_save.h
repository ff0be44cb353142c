// Writing a file so that it is either wholly the old text or wholly the new
// one: the bytes go to a temporary file beside it, which is then renamed
// over it in one step.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "src/platform/file_access.h"

namespace tavlin {

enum class ExistingFile { Replace, Keep };

// Writes bytes to target through a temporary file in the same folder.
// With ExistingFile::Keep an existing target is never touched and false is
// returned. Throws TavlinError with "ファイル %s を作成できません" when the
// file cannot be created or replaced (a read-only file counts, as it does on
// Windows) and "ストリームへの書き込みエラー" when not every byte reached the
// disk. On every failure the previous file is untouched and no temporary
// file is left. Where replaced is given, the target is to hold
// expected_old: where it holds something else when the replace is due (a
// writer came between), nothing is written, replaced gets what it holds
// and false is returned. Else, where a file was replaced, replaced gets
// the bytes it held at the replace (on Windows, what writes in place made
// of it up to then), or nothing when they were expected_old or could not
// be read. Where keep_old_at names a free path, a file replaced in one step
// stays there, whatever it held, for the caller to keep or remove: what a
// writer put there just before is then on disk whatever happens next.
bool SaveFileAtomically(const std::filesystem::path& target,
                        std::string_view bytes, ExistingFile existing,
                        FileOps& ops = SystemFileOps(),
                        std::optional<std::string>* replaced = nullptr,
                        std::string_view expected_old = {},
                        const std::filesystem::path& keep_old_at = {});

// True for the name of a temporary file that a save of a file whose name
// begins with prefix makes: "<target>.~xxxxxxxx.tmp", eight hex digits.
bool IsTemporaryFileOfSave(const std::filesystem::path& name,
                           const std::filesystem::path& prefix);

// Removes from folder the temporary files of saves of files whose names
// begin with prefix, left behind by a program stopped while saving. Files
// younger than min_age are left, as another running copy may be writing
// them. Failures are silent: the files harm nothing where they are.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                               const std::filesystem::path& prefix,
                               std::chrono::seconds min_age);

// The same for the saves of any file whose name ends in extension (".csv",
// lower case), such as the exports a user saves where they like.
void RemoveStaleTemporaryFilesOfKind(const std::filesystem::path& folder,
                                     const std::filesystem::path& extension,
                                     std::chrono::seconds min_age);

// A temporary file younger than this may be another running copy's save.
inline constexpr std::chrono::seconds kStaleTemporaryFileAge{600};

}  // namespace tavlin
