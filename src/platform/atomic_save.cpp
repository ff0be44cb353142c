#include "src/platform/atomic_save.h"

#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "src/platform/folder_listing.h"
#include "src/platform/messages.h"
#include "src/platform/tavlin_error.h"

namespace tavlin {

namespace {

constexpr std::size_t kWriteChunk = std::size_t{1} << 20;
constexpr int kTemporaryNameTries = 100;
// ".~" + eight hex digits + ".tmp".
constexpr std::size_t kTemporarySuffixLength = 14;

[[noreturn]] void ThrowWriteError() { throw TavlinError(kWriteError); }

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

// Random names, so that files left by a program killed while saving never
// stand in the way of later saves.
std::filesystem::path TemporaryName(const std::filesystem::path& target,
                                    std::random_device& random) {
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".~%08x.tmp",
                static_cast<unsigned>(random()));
  std::filesystem::path candidate = target;
  candidate += suffix;
  return candidate;
}

std::unique_ptr<TemporaryFile> CreateTemporaryBeside(
    const std::filesystem::path& target, FileOps& ops) {
  std::random_device random;
  for (int attempt = 1; attempt <= kTemporaryNameTries; ++attempt) {
    const std::filesystem::path candidate = TemporaryName(target, random);
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
        throw CannotCreateFileError(target);
    }
  }
  throw CannotCreateFileError(target);
}

// The file's bytes where they are not expected; nothing where they are,
// or where they cannot be read.
std::optional<std::string> ReadIfNot(const std::filesystem::path& path,
                                     std::string_view expected) {
  try {
    return ReadWholeFileIfChanged(path, expected);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// Puts the temporary file in the place of target, replaced getting what
// target held at that very moment, whoever wrote it last and however,
// where that is not expected_old.
// False where it is for a plain rename to do: no file stands there, or
// the file system cannot keep the old one in the same step; then replaced
// gets the file as it is just before.
bool ReplaceKeepingOld(TemporaryFile& temporary,
                       const std::filesystem::path& target, FileOps& ops,
                       std::optional<std::string>& replaced,
                       std::string_view expected_old,
                       const std::filesystem::path& keep_old_at) {
  std::random_device random;
  const std::filesystem::path backup =
      keep_old_at.empty() ? TemporaryName(target, random) : keep_old_at;
  switch (ops.ReplaceKeepingOld(temporary.path(), target, backup)) {
    case ReplaceResult::Replaced: {
      temporary.Disown();
      TemporaryFile old(ops, backup);
      if (!keep_old_at.empty()) old.Disown();
      replaced = ReadIfNot(backup, expected_old);
      return true;
    }
    case ReplaceResult::NotSupported:
      replaced = ReadIfNot(target, expected_old);
      return false;
    case ReplaceResult::NoFile:
      return false;
    case ReplaceResult::Failed:
      break;
  }
  throw CannotCreateFileError(target);
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
                        FileOps& ops, std::optional<std::string>* replaced,
                        std::string_view expected_old,
                        const std::filesystem::path& keep_old_at) {
  if (ops.IsFolder(target)) throw CannotCreateFileError(target);
  if (existing == ExistingFile::Replace && ops.IsReadOnly(target))
    throw CannotCreateFileError(target);
  if (existing == ExistingFile::Keep && ops.IsFile(target)) return false;

  std::unique_ptr<TemporaryFile> temporary = CreateTemporaryBeside(target, ops);
  WriteAll(*temporary->file, bytes);
  if (!temporary->file->Flush()) ThrowWriteError();
  const bool closed = temporary->file->Close();
  temporary->file.reset();
  if (!closed) ThrowWriteError();

  if (replaced) {
    replaced->reset();
    // A writer that came between the caller's read and this replace, by
    // renaming its own file over the target or writing in place: the
    // caller merges with what it wrote before anything is replaced.
    if (existing == ExistingFile::Replace) {
      if (std::optional<std::string> changed =
              ReadIfNot(target, expected_old)) {
        *replaced = std::move(changed);
        return false;
      }
      if (ReplaceKeepingOld(*temporary, target, ops, *replaced, expected_old,
                            keep_old_at))
        return true;
    }
  }
  if (!ops.Rename(temporary->path(), target,
                  existing == ExistingFile::Replace)) {
    if (replaced) replaced->reset();
    if (existing == ExistingFile::Keep && ops.IsFile(target)) return false;
    throw CannotCreateFileError(target);
  }
  temporary->Disown();
  return true;
}

bool IsTemporaryFileOfSave(const std::filesystem::path& name,
                           const std::filesystem::path& prefix) {
  const std::filesystem::path::string_type& text = name.native();
  const std::filesystem::path::string_type& start = prefix.native();
  if (text.size() < start.size() + kTemporarySuffixLength ||
      text.compare(0, start.size(), start) != 0)
    return false;
  const std::size_t suffix = text.size() - kTemporarySuffixLength;
  if (text[suffix] != '.' || text[suffix + 1] != '~') return false;
  for (std::size_t at = suffix + 2; at < suffix + 10; ++at) {
    const auto c = text[at];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return text.compare(suffix + 10, 4, std::filesystem::path(".tmp").native()) ==
         0;
}

namespace {

// Removes the files of folder that ours(name) accepts, once min_age old.
template <typename Ours>
void RemoveOldFiles(const std::filesystem::path& folder,
                    std::chrono::seconds min_age, Ours&& ours) {
  const auto now = std::filesystem::file_time_type::clock::now();
  // Only the program's own files are asked when they were written.
  for (const std::filesystem::path& name : FileNamesIn(folder)) {
    if (!ours(name)) continue;
    const std::filesystem::path file = folder / name;
    std::error_code ignored;
    const auto written = std::filesystem::last_write_time(file, ignored);
    if (ignored || now - written < min_age) continue;
    std::filesystem::remove(file, ignored);
  }
}

}  // namespace

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                               const std::filesystem::path& prefix,
                               std::chrono::seconds min_age) {
  RemoveOldFiles(folder, min_age, [&](const std::filesystem::path& name) {
    return IsTemporaryFileOfSave(name, prefix);
  });
}

void RemoveStaleTemporaryFilesOfKind(const std::filesystem::path& folder,
                                     const std::filesystem::path& extension,
                                     std::chrono::seconds min_age) {
  RemoveOldFiles(folder, min_age, [&](const std::filesystem::path& name) {
    if (!IsTemporaryFileOfSave(name, {})) return false;
    // The saved file's own name is what stands before the suffix.
    auto saved = name.native();
    saved.resize(saved.size() - kTemporarySuffixLength);
    const auto& wanted = extension.native();
    if (saved.size() < wanted.size()) return false;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
      auto c = saved[saved.size() - wanted.size() + i];
      if (c >= 'A' && c <= 'Z') c = static_cast<decltype(c)>(c + ('a' - 'A'));
      if (c != wanted[i]) return false;
    }
    return true;
  });
}

}  // namespace tavlin
