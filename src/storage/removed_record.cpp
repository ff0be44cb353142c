#include "src/storage/removed_record.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <unordered_set>

#include "src/platform/text_encoding.h"
#include "src/platform/unicode_text.h"

namespace tavlin {

namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";
constexpr std::string_view kHeading = "Tavlin removed lines 1";

bool IsHow(char c) {
  return c == static_cast<char>(RemovedHow::Here) ||
         c == static_cast<char>(RemovedHow::Elsewhere) ||
         c == static_cast<char>(RemovedHow::AtClose);
}

// One entry line; false where it does not read as one.
bool ReadEntry(std::string_view text, RemovedLine& entry) {
  const std::size_t first = text.find('\t');
  if (first == std::string_view::npos || text.size() < first + 6) return false;
  if (first == 0 || first > 18) return false;
  entry.when = 0;
  for (const char digit : text.substr(0, first)) {
    if (digit < '0' || digit > '9') return false;
    entry.when = entry.when * 10 + (digit - '0');
  }
  const std::string_view rest = text.substr(first + 1);
  if (!IsHow(rest[0]) || rest[1] != '\t' || (rest[2] != '0' && rest[2] != '1') ||
      rest[3] != '\t')
    return false;
  entry.how = static_cast<RemovedHow>(rest[0]);
  entry.told = rest[2] == '1';
  std::optional<std::u16string> line =
      DecodeUnicodeText(rest.substr(4), TextEncoding::Utf8);
  if (!line || line->empty()) return false;
  entry.line = std::move(*line);
  return true;
}

// Days since 1970-01-01 to a date (the proleptic Gregorian calendar).
void DateOfDay(std::int64_t days, unsigned& month, unsigned& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (of_era - of_era / 1460 + of_era / 36524 - of_era / 146096) / 365;
  const std::int64_t of_year =
      of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t shifted = (5 * of_year + 2) / 153;
  day = static_cast<unsigned>(of_year - (153 * shifted + 2) / 5 + 1);
  month = static_cast<unsigned>(shifted < 10 ? shifted + 3 : shifted - 9);
}

}  // namespace

std::filesystem::path RemovedRecordPath(
    const std::filesystem::path& in_user_folder) {
  if (in_user_folder.empty()) return {};
  return in_user_folder.parent_path() / u8"消された行" /
         in_user_folder.filename();
}

std::string RemovedRecordBytes(const std::vector<RemovedLine>& lines) {
  std::string bytes(kMark);
  bytes += kHeading;
  bytes += "\r\n";
  for (const RemovedLine& entry : lines) {
    bytes += std::to_string(entry.when);
    bytes += '\t';
    bytes += static_cast<char>(entry.how);
    bytes += entry.told ? "\t1\t" : "\t0\t";
    bytes += Utf8FromU16(entry.line);
    bytes += "\r\n";
  }
  return bytes;
}

std::vector<RemovedLine> ReadRemovedRecord(std::string_view bytes) {
  std::vector<RemovedLine> lines;
  if (bytes.starts_with(kMark)) bytes.remove_prefix(kMark.size());
  if (!bytes.starts_with(kHeading)) return lines;
  std::size_t begin = bytes.find('\n');
  while (begin != std::string_view::npos && begin + 1 < bytes.size()) {
    std::size_t end = bytes.find('\n', begin + 1);
    std::string_view text = bytes.substr(
        begin + 1, end == std::string_view::npos ? end : end - begin - 1);
    if (text.ends_with('\r')) text.remove_suffix(1);
    RemovedLine entry;
    if (ReadEntry(text, entry)) lines.push_back(std::move(entry));
    begin = end;
  }
  return lines;
}

void AddRemoved(std::vector<RemovedLine>& record,
                const std::vector<RemovedLine>& added, std::int64_t now) {
  // At most a thousand lines are kept: plain loops, no tables to build.
  std::vector<RemovedLine> kept;
  std::size_t bytes = 0;
  const auto keep = [&](const RemovedLine& entry) {
    if (kept.size() == kMostRemovedLines || now - entry.when > kRemovedKeptSeconds)
      return;
    for (const RemovedLine& held : kept)
      if (held.line == entry.line) return;
    bytes += entry.line.size() * 3 + 16;
    if (bytes <= kMostRemovedBytes) kept.push_back(entry);
  };
  for (const RemovedLine& entry : added) keep(entry);
  for (const RemovedLine& entry : record) keep(entry);
  // Newest first, the order kept among equals; mostly in order already.
  for (std::size_t at = 1; at < kept.size(); ++at)
    for (std::size_t j = at; j > 0 && kept[j - 1].when < kept[j].when; --j)
      std::swap(kept[j - 1], kept[j]);
  record = std::move(kept);
}

std::vector<std::u16string> LinesGone(std::u16string_view before,
                                      std::u16string_view after) {
  std::unordered_set<std::u16string_view> kept;
  ForEachTextLine(after, [&](std::u16string_view line) { kept.insert(line); });
  std::vector<std::u16string> gone;
  ForEachTextLine(before, [&](std::u16string_view line) {
    if (!line.empty() && kept.insert(line).second) gone.emplace_back(line);
  });
  return gone;
}

std::u16string RemovedWhenText(std::int64_t local_seconds) {
  const std::int64_t days =
      (local_seconds >= 0 ? local_seconds : local_seconds - 86399) / 86400;
  const std::int64_t of_day = local_seconds - days * 86400;
  unsigned month = 0, day = 0;
  DateOfDay(days, month, day);
  char text[32];
  std::snprintf(text, sizeof text, "%u月%u日 %02d:%02d", month, day,
                static_cast<int>(of_day / 3600),
                static_cast<int>(of_day / 60 % 60));
  return DecodeUnicodeText(text, TextEncoding::Utf8).value_or(u"");
}

std::u16string_view RemovedHowText(RemovedHow how) {
  switch (how) {
    case RemovedHow::Here:
      return u"ここで削除";
    case RemovedHow::Elsewhere:
      return u"ほかの書き手が削除";
    case RemovedHow::AtClose:
      return u"閉じるときに外した";
  }
  return {};
}

}  // namespace tavlin
