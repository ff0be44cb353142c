#include "support/faulty_file_ops.h"

#include <algorithm>

namespace tavlin {

namespace {

class FaultyOutputFile final : public OutputFile {
 public:
  FaultyOutputFile(std::unique_ptr<OutputFile> real, FileFault fault,
                   std::size_t fail_after)
      : real_(std::move(real)), fault_(fault), room_(fail_after) {}

  std::optional<std::size_t> Write(std::string_view bytes) override {
    if (fault_ == FileFault::ShortWrite) {
      const std::size_t half = bytes.size() / 2;
      return real_->Write(bytes.substr(0, half));
    }
    if (fault_ == FileFault::FailAfterBytes) {
      const std::size_t part = std::min(room_, bytes.size());
      room_ -= part;
      if (part > 0) real_->Write(bytes.substr(0, part));
      if (part < bytes.size()) return std::nullopt;
      return part;
    }
    return real_->Write(bytes);
  }
  bool Flush() override {
    return fault_ != FileFault::FlushFails && real_->Flush();
  }
  bool Close() override {
    const bool closed = real_->Close();
    return fault_ != FileFault::CloseFails && closed;
  }

 private:
  std::unique_ptr<OutputFile> real_;
  FileFault fault_;
  std::size_t room_;
};

}  // namespace

bool FaultyFileOps::Rename(const std::filesystem::path& from,
                           const std::filesystem::path& to, bool replace) {
  if (fault_ == FileFault::TargetAppears) {
    std::unique_ptr<OutputFile> other;
    if (SystemFileOps().CreateNew(to, other) == CreateResult::Created)
      other->Write("theirs");
  }
  return fault_ != FileFault::RenameFails &&
         fault_ != FileFault::KilledBeforeRename &&
         SystemFileOps().Rename(from, to, replace);
}

CreateResult FaultyFileOps::CreateNew(const std::filesystem::path& path,
                                      std::unique_ptr<OutputFile>& file) {
  if (fault_ == FileFault::CreateFails) return CreateResult::Failed;
  if (fault_ == FileFault::NamesTaken && ++names_tried_ <= 3)
    return CreateResult::AlreadyExists;
  std::unique_ptr<OutputFile> real;
  const CreateResult result = SystemFileOps().CreateNew(path, real);
  if (result == CreateResult::Created)
    file = std::make_unique<FaultyOutputFile>(std::move(real), fault_,
                                              fail_after_);
  return result;
}

}  // namespace tavlin
