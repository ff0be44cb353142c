// Reading a value of a file's version resource through the system's
// version.dll.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavlin {

// A value of the file's version resource, trimmed; empty when the file has
// no resource, no translation or no such value. version.dll is reached only
// in the system folder, never beside the program.
std::u16string GetVersionInfoValue(std::u16string_view name,
                                   const std::filesystem::path& file);

}  // namespace tavlin
