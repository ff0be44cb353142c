// The operating system line of the running Windows, from its real version
// record and registry.
#pragma once

#include <string>

#include "src/info/os_description.h"

namespace tavlin {

// Answers the description's queries from the system: GetVersionExA with
// the 156- and 148-byte records, and read-only registry keys.
class SystemOsQueries final : public OsQueries {
 public:
  bool QueryVersion(bool extended, OsVersionRecord& record) override;
  std::optional<std::string> ProductType() override;
  bool HotfixQ246009Exists() override;
};

// GetOSDescription of the running system.
ShiftJisText DescribeRunningOs();

}  // namespace tavlin
