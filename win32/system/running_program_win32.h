// Where the running program lies.
#pragma once

#include <filesystem>

namespace tavlin {

// The full path of the running program file, however long; empty when the
// system cannot tell.
std::filesystem::path RunningExecutablePath();

}  // namespace tavlin
