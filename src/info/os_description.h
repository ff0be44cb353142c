// One line naming the running Windows: family, edition, service pack and
// build. The decision is pure; the queries it asks are answered by the
// Windows side (os_description_win32.cpp) or by a test.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "src/platform/shift_jis_text.h"

namespace tavlin {

// The fields of the system's version record that the description reads.
struct OsVersionRecord {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platform = 0;
  std::string service_pack;  // szCSDVersion, up to its NUL
  std::uint16_t suite_mask = 0;
  std::uint8_t product_type = 0;
};

inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows = 1;
inline constexpr std::uint32_t kPlatformNt = 2;

// The system's answers, asked only when and in the order the description
// needs them.
class OsQueries {
 public:
  virtual ~OsQueries() = default;
  // The extended (156-byte) record, or the basic (148-byte) one; false when
  // the system refuses that form. record arrives zero-filled.
  virtual bool QueryVersion(bool extended, OsVersionRecord& record) = 0;
  // "ProductType" under ProductOptions, up to its first NUL; nothing when
  // the key cannot be opened or the value cannot be read.
  virtual std::optional<std::string> ProductType() = 0;
  // Whether the key of hot fix Q246009 can be opened.
  virtual bool HotfixQ246009Exists() = 0;
};

std::string GetOSPlatformName(std::uint32_t platform);
// The line is ASCII but for the service pack, which is the system's ANSI
// text: Shift-JIS on the Japanese Windows the program is made for.
ShiftJisText GetOSDetailedDescription(OsQueries& queries);
ShiftJisText GetOSBasicDescription(OsQueries& queries);
// The detailed description; the basic one when that fails; "Microsoft
// Windows" when both fail. Never throws.
ShiftJisText GetOSDescription(OsQueries& queries) noexcept;

// The description with its first "Microsoft " removed, as the information
// window shows it.
ShiftJisText WithoutFirstMicrosoft(ShiftJisText description);

}  // namespace tavlin
