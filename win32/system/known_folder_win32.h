// Folders the shell keeps for the user.
#pragma once

#include <filesystem>

namespace tavlin {

// The user's roaming application-data folder ("AppData\Roaming"), without
// creating it: the session's APPDATA where that is a whole path, else the
// shell's answer; empty when neither can tell.
std::filesystem::path RoamingApplicationDataFolder();

// The user's Pictures and Documents folders; empty when the system cannot
// tell.
std::filesystem::path PicturesFolder();
std::filesystem::path DocumentsFolder();

// The system's folder for temporary files; empty when it cannot tell.
std::filesystem::path TemporaryFolder();

}  // namespace tavlin
