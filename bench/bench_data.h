// Large inputs for the benchmarks, written once into a folder of their own
// and removed at the end.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

inline constexpr std::size_t kPhraseLinesPerFile = 1'000'000;
inline constexpr std::size_t kStorageFileBytes = 10'000'000;
inline constexpr std::size_t kStorageLines = 100'000;

class BenchData {
 public:
  BenchData();
  BenchData(const BenchData&) = delete;
  BenchData& operator=(const BenchData&) = delete;
  ~BenchData();

  // Holds the three safety phrase files.
  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path storage_file() const;
  std::size_t phrase_bytes() const { return phrase_bytes_; }
  std::size_t phrase_lines() const { return 3 * kPhraseLinesPerFile; }

 private:
  std::filesystem::path folder_;
  std::size_t phrase_bytes_ = 0;
};

// A storage text of kStorageLines slogans, CR LF between them.
std::string StorageText();
// A slogan of that text's kind that matches none of its lines.
std::string UnlistedSlogan();
