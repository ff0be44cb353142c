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

}  // namespace tavlin
