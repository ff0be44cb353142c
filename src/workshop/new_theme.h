// A new theme of slogans made from the workshop: its name checked as a
// part of three file names, then its three phrase files created empty
// beside the program, so that its page appears at the next start. No file
// that stands there already is ever written.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "src/platform/file_access.h"

namespace tavlin {

// The name as typed, without the spaces around it.
std::u16string TrimmedThemeName(std::u16string_view typed);

// Why name cannot name a new theme beside themes (the standard ones and
// those already found); nothing where it can.
std::optional<std::string> WhyNotANewTheme(
    std::u16string_view name, const std::vector<std::u16string>& themes);

// Creates the theme's three phrase files, empty, in folder; where one of
// them stands already, or one cannot be created, says why and leaves the
// folder as it was.
std::optional<std::string> CreateThemeFiles(const std::filesystem::path& folder,
                                            std::u16string_view theme,
                                            FileOps& ops = SystemFileOps());

}  // namespace tavlin
