#include "src/platform/file_snapshot.h"

#include "src/platform/file_access.h"

namespace tavlin {

FileSnapshot TakeFileSnapshot(const std::filesystem::path& path) {
  switch (LookAtPath(path)) {
    case PathKind::Missing:
    case PathKind::Folder:
      return {FileSnapshot::Kind::Missing, {}};
    case PathKind::Unknown:
      return {FileSnapshot::Kind::Unread, {}};
    case PathKind::File:
      break;
  }
  try {
    return {FileSnapshot::Kind::Read, ReadWholeFile(path)};
  } catch (const std::exception&) {
    return {FileSnapshot::Kind::Unread, {}};
  }
}

bool IsStillAsSnapshot(const std::filesystem::path& path,
                       const FileSnapshot& snapshot) {
  const PathKind now = LookAtPath(path);
  switch (snapshot.kind) {
    case FileSnapshot::Kind::Missing:
      return now == PathKind::Missing || now == PathKind::Folder;
    case FileSnapshot::Kind::Read:
      if (now != PathKind::File) return false;
      try {
        return !ReadWholeFileIfChanged(path, snapshot.bytes).has_value();
      } catch (const std::exception&) {
        return false;
      }
    case FileSnapshot::Kind::NotTaken:
    case FileSnapshot::Kind::Unread:
      return false;
  }
  return false;
}

}  // namespace tavlin
