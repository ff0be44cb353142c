// The operating system line on arbitrary records and registry answers:
// never an error, never empty.
#include "fuzz_input.h"
#include "src/info/os_description.h"

using namespace tavlin;

namespace {

class FuzzedSystem final : public OsQueries {
 public:
  explicit FuzzedSystem(FuzzInput& input) {
    flags_ = input.Take<std::uint8_t>();
    record_.major = input.Take<std::uint32_t>();
    record_.minor = input.Take<std::uint32_t>();
    record_.build = input.Take<std::uint32_t>();
    record_.platform = input.Take<std::uint8_t>() % 4;
    record_.suite_mask = input.Take<std::uint16_t>();
    record_.product_type = input.Take<std::uint8_t>();
    record_.service_pack = std::string(input.TakeUntil('\0').substr(0, 127));
    product_type_ = std::string(input.Rest().substr(0, 254));
  }
  bool QueryVersion(bool extended, OsVersionRecord& record) override {
    if (!(flags_ & (extended ? 1 : 2))) return false;
    record = record_;
    return true;
  }
  std::optional<std::string> ProductType() override {
    if (flags_ & 4) return std::nullopt;
    return product_type_;
  }
  bool HotfixQ246009Exists() override { return (flags_ & 8) != 0; }

 private:
  std::uint8_t flags_;
  OsVersionRecord record_;
  std::string product_type_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzInput input(data, size);
  FuzzedSystem system(input);
  const std::string line = GetOSDescription(system).bytes();
  FUZZ_CHECK(!line.empty());
  FUZZ_CHECK(!GetOSBasicDescription(system).empty());
  return 0;
}
