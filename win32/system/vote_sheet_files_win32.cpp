#include "win32/system/vote_sheet_files_win32.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"
#include "win32/system/unique_handle_win32.h"
#include "win32/system/wide_text_win32.h"

namespace tavlin {

namespace {

// Far beyond a sheet of kMostVoteSheetRows rows: a file this large was
// chosen by mistake, and is not read into memory whole.
constexpr std::size_t kLargestVoteSheetMb = 64;
constexpr std::size_t kLargestVoteSheet = kLargestVoteSheetMb << 20;

std::u16string ReasonText(std::string_view utf8) {
  return std::u16string(AsU16(WideFromUtf8(utf8)));
}

std::u16string WhyUnreadable(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ReasonText(kVoteSheetMissing);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return ReasonText(kVoteSheetHeld);
    case ERROR_ACCESS_DENIED:
      return ReasonText(kVoteSheetDenied);
    default:
      return ReasonText(
          ComposeMessage(kVoteSheetUnreadable, {std::to_string(error)}));
  }
}

void ReadInto(const std::filesystem::path& path, VoteSheetFile& file) {
  // Shared every way: a sheet open in Excel, or being saved by it, is read
  // where the system lets it be read at all.
  const UniqueFileHandle handle(
      CreateFileW(path.c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!handle || !GetFileSizeEx(handle.get(), &size)) {
    file.read_error = WhyUnreadable(GetLastError());
    return;
  }
  // The size is only a guess while another program writes: read to the
  // end, or to one byte past the largest sheet.
  const auto expected = static_cast<std::size_t>(
      std::clamp<LONGLONG>(size.QuadPart, 0, kLargestVoteSheet));
  std::string& bytes = file.bytes;
  for (DWORD read = 1; read > 0 && bytes.size() <= kLargestVoteSheet;) {
    const std::size_t had = bytes.size();
    const std::size_t want = (had < expected ? expected - had : 0) + 4096;
    bytes.resize(had + std::min(want, kLargestVoteSheet + 1 - had));
    if (!ReadFile(handle.get(), bytes.data() + had,
                  static_cast<DWORD>(bytes.size() - had), &read, nullptr)) {
      const DWORD error = GetLastError();
      bytes.clear();
      file.read_error = WhyUnreadable(error);
      return;
    }
    bytes.resize(had + read);
  }
  if (bytes.size() > kLargestVoteSheet) {
    bytes.clear();
    file.read_error = ReasonText(ComposeMessage(
        kVoteSheetTooLarge, {std::to_string(kLargestVoteSheetMb)}));
  }
}

}  // namespace

std::vector<VoteSheetFile> ReadVoteSheetFiles(
    const std::vector<std::filesystem::path>& paths) {
  std::vector<VoteSheetFile> files(paths.size());
  for (std::size_t at = 0; at < paths.size(); ++at) {
    files[at].name = AsU16(paths[at].native());
    ReadInto(paths[at], files[at]);
  }
  return files;
}

}  // namespace tavlin
