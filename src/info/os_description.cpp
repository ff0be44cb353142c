#include "src/info/os_description.h"

#include <string_view>

namespace tavlin {

namespace {

constexpr std::uint16_t kSuiteEnterprise = 0x0002;
constexpr std::uint16_t kSuiteDatacenter = 0x0080;
constexpr std::uint16_t kSuitePersonal = 0x0200;
constexpr std::uint16_t kSuiteBlade = 0x0400;
constexpr std::uint8_t kWorkstation = 1;
constexpr std::uint8_t kServer = 3;

std::string Decimal(long long value) { return std::to_string(value); }

bool Has(std::uint16_t mask, std::uint16_t bit) { return (mask & bit) != 0; }

char SecondCharacter(const std::string& text) {
  return text.size() >= 2 ? text[1] : '\0';
}

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return UpperAscii(std::string(a)) == UpperAscii(std::string(b));
}

std::string WindowsNineX(const OsVersionRecord& r) {
  const char marker = SecondCharacter(r.service_pack);
  if (r.major == 4 && r.minor == 0) {
    std::string text = "Microsoft Windows 95 ";
    if (marker == 'C' || marker == 'B') text += "OSR2 ";
    return text;
  }
  if (r.major == 4 && r.minor == 10) {
    std::string text = "Microsoft Windows 98 ";
    if (marker == 'A') text += "SE ";
    return text;
  }
  if (r.major == 4 && r.minor == 90)
    return "Microsoft Windows Millennium Edition";
  return "Unknown";
}

std::string NtProductLine(const OsVersionRecord& r) {
  if (r.major == 5 && r.minor == 2)
    return "Microsoft Windows .NET Server 2003 family, ";
  if (r.major == 5 && r.minor == 1) return "Microsoft Windows XP ";
  if (r.major == 5 && r.minor == 0) return "Microsoft Windows 2000 ";
  if (r.major <= 4) return "Microsoft Windows NT ";
  return "Windows NT product family? ";
}

std::string NtEdition(const OsVersionRecord& r) {
  const std::uint16_t suite = r.suite_mask;
  if (r.product_type == kWorkstation) {
    if (r.major == 4) return "Workstation 4.0 ";
    return Has(suite, kSuitePersonal) ? "Home Edition " : "Professional ";
  }
  if (r.product_type != kServer) return "";
  if (r.major == 5 && r.minor == 2) {
    if (Has(suite, kSuiteDatacenter)) return "Datacenter Edition ";
    if (Has(suite, kSuiteEnterprise)) return "Enterprise Edition ";
    if (suite == kSuiteBlade) return "Web Edition ";
    return "Standard Edition ";
  }
  if (r.major == 5 && r.minor == 0) {
    if (Has(suite, kSuiteDatacenter)) return "Datacenter Server ";
    if (Has(suite, kSuiteEnterprise)) return "Advanced Server ";
    return "Server ";
  }
  return Has(suite, kSuiteEnterprise) ? "Server 4.0, Enterprise Edition "
                                      : "Server 4.0 ";
}

std::string EditionFromProductType(const std::string& product_type) {
  const std::string upper = UpperAscii(product_type);
  if (upper == "WINNT") return "Workstation ";
  if (upper == "LANMANNT") return "Server ";
  if (upper == "SERVERNT") return "Advanced Server ";
  return "";
}

std::string ServicePackAndBuild(const OsVersionRecord& r, OsQueries& queries) {
  const std::string build = Decimal(r.build & 0xFFFF);
  if (r.major == 4 &&
      EqualIgnoringAsciiCase(r.service_pack, "Service Pack 6") &&
      queries.HotfixQ246009Exists())
    return "Service Pack 6a (Build " + build + ")";
  return r.service_pack + " (Build " + build + ")";
}

}  // namespace

std::string GetOSPlatformName(std::uint32_t platform) {
  switch (platform) {
    case kPlatformWin32s:
      return "Windows 3.1";
    case kPlatformWindows:
      return "Windows 95";
    case kPlatformNt:
      return "Windows NT";
    default:
      return "";
  }
}

namespace {

std::string DetailedDescription(OsQueries& queries) {
  OsVersionRecord record;
  bool extended = queries.QueryVersion(true, record);
  if (!extended) {
    record = OsVersionRecord();
    if (!queries.QueryVersion(false, record)) return "Unknown";
  }
  switch (record.platform) {
    case kPlatformWin32s:
      return "Microsoft Win32s";
    case kPlatformWindows:
      return WindowsNineX(record);
    case kPlatformNt:
      break;
    default:
      return "Unknown";
  }
  std::string text = NtProductLine(record);
  if (extended) {
    text += NtEdition(record);
  } else {
    const std::optional<std::string> product_type = queries.ProductType();
    if (!product_type) return text;
    text += EditionFromProductType(*product_type);
    text += Decimal(record.major) + "." + Decimal(record.minor);
  }
  return text + ServicePackAndBuild(record, queries);
}

std::string BasicDescription(OsQueries& queries) {
  OsVersionRecord record;
  if (!queries.QueryVersion(false, record)) record = OsVersionRecord();
  // The fields print as the signed numbers they are read as.
  const auto as_signed = [](std::uint32_t value) {
    return Decimal(static_cast<std::int32_t>(value));
  };
  return GetOSPlatformName(record.platform) + " Version " +
         as_signed(record.major) + "." + as_signed(record.minor) + " (Build " +
         as_signed(record.build) + " : " + record.service_pack + ")";
}

}  // namespace

ShiftJisText GetOSDetailedDescription(OsQueries& queries) {
  return ShiftJisText(DetailedDescription(queries));
}

ShiftJisText GetOSBasicDescription(OsQueries& queries) {
  return ShiftJisText(BasicDescription(queries));
}

ShiftJisText GetOSDescription(OsQueries& queries) noexcept {
  try {
    return GetOSDetailedDescription(queries);
  } catch (...) {
  }
  try {
    return GetOSBasicDescription(queries);
  } catch (...) {
  }
  return ShiftJisText("Microsoft Windows");
}

ShiftJisText WithoutFirstMicrosoft(ShiftJisText description) {
  constexpr std::string_view kMicrosoft = "Microsoft ";
  std::string& bytes = description.bytes();
  const std::size_t at = bytes.find(kMicrosoft);
  if (at != std::string::npos) bytes.erase(at, kMicrosoft.size());
  return description;
}

}  // namespace tavlin
