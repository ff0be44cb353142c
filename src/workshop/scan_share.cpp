#include "src/workshop/scan_share.h"

#include <limits>

#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"

namespace tavlin {

namespace {

std::uint64_t TimesSaturating(std::uint64_t a, std::uint64_t b) {
  std::uint64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product))
    return std::numeric_limits<std::uint64_t>::max();
  return product;
}

}  // namespace

ScanShare ScanShareOf(
    const std::array<std::vector<LineNote>, kPhrasePlaces>& notes) {
  ScanShare share{1, 1};
  for (const std::vector<LineNote>& file : notes) {
    std::uint64_t phrases = 0;
    std::uint64_t fitting = 0;
    for (const LineNote& note : file) {
      phrases += note.blank ? 0 : 1;
      fitting += note.fits ? 1 : 0;
    }
    share.slogans = TimesSaturating(share.slogans, phrases);
    share.scanning = TimesSaturating(share.scanning, fitting);
  }
  return share;
}

std::string ScanShareText(const ScanShare& share) {
  const std::uint64_t percent =
      share.slogans == 0
          ? 0
          : static_cast<std::uint64_t>(
                static_cast<long double>(share.scanning) * 100 / share.slogans +
                0.5L);
  return ComposeMessage(
      kScanShare, {std::to_string(share.scanning),
                   std::to_string(share.slogans), std::to_string(percent)});
}

}  // namespace tavlin
