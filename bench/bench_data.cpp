#include "bench_data.h"

#include <fstream>
#include <random>

#include "src/slogan/slogan_generator.h"

using namespace tavlin;

namespace {

// Shift-JIS hiragana: lead byte 0x82, trail bytes 0x9F to 0xF1.
std::string RandomPhrase(std::mt19937& random) {
  std::uniform_int_distribution<int> length(6, 12);
  std::uniform_int_distribution<int> kana(0x9F, 0xF1);
  std::string phrase;
  for (int n = length(random); n > 0; --n) {
    phrase += '\x82';
    phrase += static_cast<char>(kana(random));
  }
  return phrase;
}

std::size_t WritePhraseFile(const std::filesystem::path& file,
                            std::mt19937& random) {
  std::string bytes;
  for (std::size_t i = 0; i < kPhraseLinesPerFile; ++i)
    bytes += RandomPhrase(random) + "\r\n";
  std::ofstream(file, std::ios::binary).write(bytes.data(), bytes.size());
  return bytes.size();
}

}  // namespace

BenchData::BenchData() {
  folder_ = std::filesystem::temp_directory_path() /
            ("tavlin-bench-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(folder_);
  std::mt19937 random(1);
  const PhraseFileNames names = PhraseFileNamesOf(PhraseCategory::Safety);
  for (const auto* name : {&names.upper, &names.middle, &names.lower})
    phrase_bytes_ += WritePhraseFile(folder_ / *name, random);

  std::string storage;
  while (storage.size() < kStorageFileBytes)
    storage += RandomPhrase(random) + " " + RandomPhrase(random) + "\r\n";
  std::ofstream(storage_file(), std::ios::binary)
      .write(storage.data(), storage.size());
}

BenchData::~BenchData() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::filesystem::path BenchData::storage_file() const {
  return folder_ / "storage.txt";
}

std::string StorageText() {
  std::mt19937 random(2);
  std::string text;
  for (std::size_t i = 0; i < kStorageLines; ++i) {
    if (i > 0) text += "\r\n";
    text += RandomPhrase(random) + " " + RandomPhrase(random);
  }
  return text;
}

std::string UnlistedSlogan() { return "ZZZ unlisted slogan"; }
