#include "win32/system/os_description_win32.h"

#include <windows.h>

#include <cstring>

#include "win32/system/unique_handle_win32.h"

namespace tavlin {

namespace {

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

// Read only, and closed on every path by its owner.
UniqueRegistryKey OpenForQuery(const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return UniqueRegistryKey();
  return UniqueRegistryKey(key);
}

static_assert(sizeof(OSVERSIONINFOEXA) == 156);
static_assert(sizeof(OSVERSIONINFOA) == 148);

}  // namespace

bool SystemOsQueries::QueryVersion(bool extended, OsVersionRecord& record) {
  OSVERSIONINFOEXA info;
  std::memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize =
      extended ? sizeof(OSVERSIONINFOEXA) : sizeof(OSVERSIONINFOA);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool answered =
      GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) != FALSE;
#pragma GCC diagnostic pop
  if (!answered) return false;
  record.major = info.dwMajorVersion;
  record.minor = info.dwMinorVersion;
  record.build = info.dwBuildNumber;
  record.platform = info.dwPlatformId;
  record.service_pack.assign(
      info.szCSDVersion, strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
  if (extended) {
    record.suite_mask = info.wSuiteMask;
    record.product_type = info.wProductType;
  }
  return true;
}

std::optional<std::string> SystemOsQueries::ProductType() {
  const UniqueRegistryKey key =
      OpenForQuery("SYSTEM\\CurrentControlSet\\Control\\ProductOptions");
  if (!key) return std::nullopt;
  char buffer[255] = {};
  DWORD size = sizeof buffer;
  if (RegQueryValueExA(key.get(), "ProductType", nullptr, nullptr,
                       reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(buffer, strnlen(buffer, size));
}

bool SystemOsQueries::HotfixQ246009Exists() {
  return static_cast<bool>(OpenForQuery(
      "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009"));
}

ShiftJisText DescribeRunningOs() {
  SystemOsQueries queries;
  return GetOSDescription(queries);
}

}  // namespace tavlin
