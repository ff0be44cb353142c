// Real failures of the file system that tests can set up: a file another
// handle keeps from being read, and a folder in which nothing can be
// created.
#pragma once

#include <filesystem>
#include <memory>

namespace tavlin {

// Keeps a file from being opened for reading while it lives: on Windows a
// handle holds it open for writing; elsewhere the file is replaced by a link
// to a file whose reading fails.
class UnreadableFile {
 public:
  virtual ~UnreadableFile() = default;
};
std::unique_ptr<UnreadableFile> MakeUnreadable(
    const std::filesystem::path& file);

// Makes a folder refuse new files, where the platform can; false where it
// cannot (Wine ignores folder permissions, and root ignores the mode bits
// without the immutable flag). Undone by MakeFolderWritable.
bool MakeFolderReadOnly(const std::filesystem::path& folder);
void MakeFolderWritable(const std::filesystem::path& folder);

// Keeps a file open from another handle that does not share deletion, which
// stops Windows from replacing it. Nothing on POSIX, where renaming over an
// open file is allowed; returns false there.
class OpenHandle {
 public:
  virtual ~OpenHandle() = default;
};
std::unique_ptr<OpenHandle> HoldOpen(const std::filesystem::path& file,
                                     bool& holds);

}  // namespace tavlin
