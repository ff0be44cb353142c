// What a file held when the program read it, so that before writing over
// it the program can tell whether anyone else has written it meanwhile.
#pragma once

#include <filesystem>
#include <string>

namespace tavlin {

struct FileSnapshot {
  enum class Kind {
    NotTaken,  // the program never looked: it must not write the file
    Missing,   // no file stood there (a folder of that name counts)
    Read,      // bytes holds the whole file
    Unread,    // a file stood there but could not be read
  };
  Kind kind = Kind::NotTaken;
  std::string bytes;
};

// Reads the file at path into a snapshot. A file that cannot be read, or a
// path that cannot even be looked at, gives Unread: never Missing.
FileSnapshot TakeFileSnapshot(const std::filesystem::path& path);

}  // namespace tavlin
