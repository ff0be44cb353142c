// Writing a storage list out as the committee's vote sheet, through the
// standard save dialog and as safely as the storage files.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "src/rhythm/mora_meter.h"

namespace tavlin {

// The most characters a slogan may have before the sheet judges it too
// long: MaxCharacters in the [VoteSheet] part of Tavlin.ini beside the
// program, 24 where the file or the value is missing.
std::size_t VoteSheetCharacterLimit(
    const std::filesystem::path& program_folder);

// Asks where to save the sheet of box_text's slogans and writes it there
// whole or not at all; the file written, or nothing where the user chose
// none. Throws TavlinError when it cannot be written.
std::optional<std::filesystem::path> ExportVoteSheet(HWND owner, std::u16string_view theme,
                     std::u16string_view box_text,
                     const std::filesystem::path& program_folder,
                     const MoraMeter* meter);

}  // namespace tavlin
