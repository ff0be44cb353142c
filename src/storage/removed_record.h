// Lines that went out of a storage list, kept for thirty days in the
// user's folder so that a deletion regretted later, or one another writer
// made, can be put back from any later session. One entry a line: the
// last time it went, and how.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin {

enum class RemovedHow : char {
  Here = 'H',       // the user deleted it in this program
  Elsewhere = 'E',  // another copy or program deleted it from the file
  AtClose = 'C',    // found deleted elsewhere as the window closed
};

struct RemovedLine {
  std::u16string line;
  std::int64_t when = 0;  // seconds since 1970, UTC
  RemovedHow how = RemovedHow::Here;
  // A line dropped at a close is told at the next start, once.
  bool told = true;
  bool operator==(const RemovedLine&) const = default;
};

inline constexpr std::int64_t kRemovedKeptSeconds = 30 * 24 * 60 * 60;
inline constexpr std::size_t kMostRemovedLines = 1000;
inline constexpr std::size_t kMostRemovedBytes = 256 * 1024;

// The record of the list whose copy in the user's folder is in_user_folder:
// in a folder of its own there, out of the way of the side files that a
// start takes in.
std::filesystem::path RemovedRecordPath(
    const std::filesystem::path& in_user_folder);

// The record's text: UTF-8 with its mark, a heading line, then a line an
// entry, "<when>\t<how>\t<told>\t<line>". Entries that do not read are
// left out: the record helps the user, it never holds the only copy of a
// list.
std::string RemovedRecordBytes(const std::vector<RemovedLine>& lines);
std::vector<RemovedLine> ReadRemovedRecord(std::string_view bytes);

// Adds lines that went at now, each replacing an earlier entry of the
// same line; then keeps what went in the last thirty days, the newest
// first, within kMostRemovedLines and kMostRemovedBytes.
void AddRemoved(std::vector<RemovedLine>& record,
                const std::vector<RemovedLine>& added, std::int64_t now);

// The lines of before that after no longer holds, each once, in before's
// order: what the user deleted between the two.
std::vector<std::u16string> LinesGone(std::u16string_view before,
                                      std::u16string_view after);

// "12月10日 14:03", of a time already moved to the user's time zone.
std::u16string RemovedWhenText(std::int64_t local_seconds);
// "ここで削除", "ほかの書き手が削除", "閉じるときに外した".
std::u16string_view RemovedHowText(RemovedHow how);

}  // namespace tavlin
