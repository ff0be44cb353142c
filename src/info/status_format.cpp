#include "src/info/status_format.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tavlin {

namespace {

constexpr int kSignificantDigits = 18;

// The magnitude of value as decimal digits with `decimals` of them after the
// point (no point written), rounded as FormatByteSize says.
std::string RoundedDigits(double magnitude, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*e", kSignificantDigits - 1, magnitude);
  // text is d.ddddddddddddddddde±x
  std::string digits;
  const char* at = text;
  for (; *at != 'e'; ++at)
    if (*at != '.') digits += *at;
  const int exponent = std::atoi(at + 1);
  // Digits kept: those before the point (exponent + 1) and the decimals.
  const int kept = exponent + 1 + decimals;
  if (kept < 0) return std::string(static_cast<std::size_t>(decimals) + 1, '0');
  if (kept >= static_cast<int>(digits.size())) {
    digits.append(static_cast<std::size_t>(kept) - digits.size(), '0');
  } else {
    const bool round_up = digits[static_cast<std::size_t>(kept)] >= '5';
    digits.resize(static_cast<std::size_t>(kept));
    if (round_up) {
      int i = kept - 1;
      for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i)
        digits[static_cast<std::size_t>(i)] = '0';
      if (i >= 0)
        ++digits[static_cast<std::size_t>(i)];
      else
        digits.insert(digits.begin(), '1');
    }
  }
  // At least one digit before the point.
  if (digits.size() < static_cast<std::size_t>(decimals) + 1)
    digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(),
                  '0');
  const std::size_t leading = digits.find_first_not_of('0');
  const std::size_t integer_digits =
      digits.size() - static_cast<std::size_t>(decimals);
  if (leading == std::string::npos) return digits.substr(integer_digits - 1);
  return digits.substr(std::min(leading, integer_digits - 1));
}

std::string Grouped(std::string_view integer, const std::string& separator) {
  std::string grouped;
  for (std::size_t i = 0; i < integer.size(); ++i) {
    if (i > 0 && (integer.size() - i) % 3 == 0) grouped += separator;
    grouped += integer[i];
  }
  return grouped;
}

}  // namespace

std::string FormatByteSize(SizeUnit unit, std::int64_t value,
                           const NumberSeparators& separators) {
  double number = static_cast<double>(value);
  int decimals = 0;
  std::string suffix;
  switch (static_cast<std::uint8_t>(unit)) {
    case 0:
      break;
    case 1:
      suffix = " B";
      break;
    case 2:
      number /= 1024.0;
      suffix = " KB";
      break;
    default:
      number = number / 1024.0 / 1024.0;
      decimals = 2;
      suffix = " MB";
      break;
  }
  const std::string digits =
      RoundedDigits(number < 0 ? -number : number, decimals);
  const std::string_view all(digits);
  const auto decimal_digits = static_cast<std::size_t>(decimals);
  const std::string_view integer = all.substr(0, all.size() - decimal_digits);
  std::string text =
      number < 0 && digits.find_first_not_of('0') != std::string::npos ? "-"
                                                                       : "";
  text += Grouped(integer, separators.thousands);
  if (decimals > 0) {
    text += separators.decimal;
    text += all.substr(all.size() - decimal_digits);
  }
  return text + suffix;
}

std::string FormatDuration(std::int32_t seconds) {
  const std::int32_t rest = seconds % 60;
  const std::int32_t total_minutes = (seconds - rest) / 60;
  char text[40];
  std::snprintf(text, sizeof text, "%d:%2.2d:%2.2d", total_minutes / 60,
                total_minutes % 60, rest);
  return text;
}

}  // namespace tavlin
