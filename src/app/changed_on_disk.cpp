#include "src/app/changed_on_disk.h"

#include <functional>
#include <string_view>
#include <system_error>

#include "src/platform/file_access.h"

namespace tavlin {

bool ChangedOnDisk(const ListMemory& memory, const std::filesystem::path& path,
                   std::optional<DiskLook>& last) {
  using Kind = FileSnapshot::Kind;
  const Kind kind = memory.last.kind;
  if (kind != Kind::Read && kind != Kind::Missing) return false;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return false;  // gone, or not to be looked at now
  const DiskLook look{std::hash<std::string_view>{}(memory.last.bytes) ^
                          static_cast<std::size_t>(kind),
                      size, LastWriteTime(path)};
  // Against the same memory, any change since the last look is another
  // writer's; a change already looked at is not saved again, so that a save
  // that could not write the file is not made again for each change in the
  // folder.
  const bool compared = last && last->memory == look.memory;
  const bool changed =
      compared ? last->size != look.size || last->time != look.time
               : kind == Kind::Missing || size != memory.last.bytes.size();
  last = look;
  return changed;
}

}  // namespace tavlin
