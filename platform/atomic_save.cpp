#include "platform/atomic_save.h"

#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "platform/tavlin_error.h"

namespace {

constexpr std::size_t kWriteChunk = std::size_t{1} << 20;
constexpr int kTemporaryNameTries = 100;

[[noreturn]] void ThrowCannotCreate(const std::filesystem::path& target) {
  throw TavlinError(
      ComposeMessage("ファイル %s を作成できません", {PathForMessage(target)}));
}

[[noreturn]] void ThrowWriteError() {
  throw TavlinError("ストリームへの書き込みエラー");
}

// Removes the temporary file on every way out but the successful rename.
class TemporaryFile {
 public:
  TemporaryFile(FileOps& ops, std::filesystem::path path)
      : ops_(ops), path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    file.reset();  // a file must be closed before it can be removed
    if (owned_) ops_.Remove(path_);
  }
  const std::filesystem::path& path() const { return path_; }
  void Disown() { owned_ = false; }

  std::unique_ptr<OutputFile> file;

 private:
  FileOps& ops_;
  std::filesystem::path path_;
  bool owned_ = true;
};

std::unique_ptr<TemporaryFile> CreateTemporaryBeside(
    const std::filesystem::path& target, FileOps& ops) {
  // Random names, so that files left by a program killed while saving never
  // stand in the way of later saves.
  std::random_device random;
  for (int attempt = 1; attempt <= kTemporaryNameTries; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".~%08x.tmp",
                  static_cast<unsigned>(random()));
    std::filesystem::path candidate = target;
    candidate += suffix;
    std::unique_ptr<OutputFile> file;
    switch (ops.CreateNew(candidate, file)) {
      case CreateResult::Created: {
        auto temporary = std::make_unique<TemporaryFile>(ops, candidate);
        temporary->file = std::move(file);
        return temporary;
      }
      case CreateResult::AlreadyExists:
        continue;
      case CreateResult::Failed:
        ThrowCannotCreate(target);
    }
  }
  ThrowCannotCreate(target);
}

void WriteAll(OutputFile& file, std::string_view bytes) {
  while (!bytes.empty()) {
    const std::string_view chunk = bytes.substr(0, kWriteChunk);
    const std::optional<std::size_t> written = file.Write(chunk);
    if (!written || *written != chunk.size()) ThrowWriteError();
    bytes.remove_prefix(chunk.size());
  }
}

}  // namespace

bool SaveFileAtomically(const std::filesystem::path& target,
                        std::string_view bytes, ExistingFile existing,
                        FileOps& ops) {
  if (ops.IsFolder(target)) ThrowCannotCreate(target);
  if (existing == ExistingFile::Replace && ops.IsReadOnly(target))
    ThrowCannotCreate(target);
  if (existing == ExistingFile::Keep && IsExistingFile(target)) return false;

  std::unique_ptr<TemporaryFile> temporary = CreateTemporaryBeside(target, ops);
  WriteAll(*temporary->file, bytes);
  if (!temporary->file->Flush()) ThrowWriteError();
  const bool closed = temporary->file->Close();
  temporary->file.reset();
  if (!closed) ThrowWriteError();

  if (!ops.Rename(temporary->path(), target,
                  existing == ExistingFile::Replace)) {
    if (existing == ExistingFile::Keep && IsExistingFile(target)) return false;
    ThrowCannotCreate(target);
  }
  temporary->Disown();
  return true;
}
