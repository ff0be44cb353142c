#include "src/platform/atomic_save.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "src/platform/tavlin_error.h"
#include "support/faulty_file_ops.h"
#include "support/file_faults.h"
#include "support/temp_folder.h"

namespace tavlin {

namespace {

using Names = std::vector<std::string>;

const std::string kOldText = "old line 1\r\nold line 2";

// Several write chunks, so that a failure can strike half-way.
std::string LargeText() {
  std::string text;
  while (text.size() < (std::size_t{3} << 20)) text += "new slogan line\r\n";
  return text;
}

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const TavlinError& error) {
    return error.what();
  }
  return "(no error)";
}

std::string CannotCreate(const std::filesystem::path& path) {
  return "ファイル " + PathForMessage(path) + " を作成できません";
}

const std::string kWriteError = "ストリームへの書き込みエラー";

struct FaultCase {
  const char* name;
  FileFault fault;
  bool write_error;  // otherwise the file could not be created
};

std::ostream& operator<<(std::ostream& out, const FaultCase& c) {
  return out << c.name;
}

class SaveFault : public testing::TestWithParam<FaultCase> {};

TEST_P(SaveFault, LeavesTheOldFileWholeAndNothingStray) {
  const FaultCase& c = GetParam();
  TempFolder folder;
  const auto target = folder / "list.txt";
  WriteBytes(target, kOldText);
  FaultyFileOps ops(c.fault, std::size_t{3} << 19);

  const std::string message = MessageOf([&] {
    SaveFileAtomically(target, LargeText(), ExistingFile::Replace, ops);
  });

  EXPECT_EQ(message, c.write_error ? kWriteError : CannotCreate(target));
  EXPECT_EQ(ReadBytes(target), kOldText);
  EXPECT_EQ(EntriesOf(folder.path()), Names{"list.txt"});
}

TEST_P(SaveFault, LeavesNoFileWhereThereWasNone) {
  TempFolder folder;
  FaultyFileOps ops(GetParam().fault, 100);
  MessageOf([&] {
    SaveFileAtomically(folder / "list.txt", LargeText(), ExistingFile::Replace,
                       ops);
  });
  EXPECT_EQ(EntriesOf(folder.path()), Names{});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SaveFault,
    testing::Values(FaultCase{"CreateFails", FileFault::CreateFails, false},
                    FaultCase{"ShortWrite", FileFault::ShortWrite, true},
                    FaultCase{"FailAfterBytes", FileFault::FailAfterBytes,
                              true},
                    FaultCase{"FlushFails", FileFault::FlushFails, true},
                    FaultCase{"CloseFails", FileFault::CloseFails, true},
                    FaultCase{"RenameFails", FileFault::RenameFails, false}),
    [](const auto& info) { return info.param.name; });

TEST(AtomicSave, ReplacesTheFileByteForByte) {
  TempFolder folder;
  const auto target = folder / "list.txt";
  WriteBytes(target, kOldText);
  const std::string text = LargeText() + "\x81\x40\r\n";
  EXPECT_TRUE(SaveFileAtomically(target, text, ExistingFile::Replace));
  EXPECT_EQ(ReadBytes(target), text);
  EXPECT_EQ(EntriesOf(folder.path()), Names{"list.txt"});
}

TEST(AtomicSave, AnEmptyTextGivesAnEmptyFile) {
  TempFolder folder;
  const auto target = folder / "list.txt";
  WriteBytes(target, kOldText);
  SaveFileAtomically(target, "", ExistingFile::Replace);
  EXPECT_EQ(ReadBytes(target), "");
}

TEST(AtomicSave, KeepingAnExistingFileWritesNothing) {
  TempFolder folder;
  const auto target = folder / "list.txt";
  WriteBytes(target, kOldText);
  EXPECT_FALSE(SaveFileAtomically(target, "new", ExistingFile::Keep));
  EXPECT_EQ(ReadBytes(target), kOldText);
  EXPECT_TRUE(
      SaveFileAtomically(folder / "other.txt", "new", ExistingFile::Keep));
  EXPECT_EQ(ReadBytes(folder / "other.txt"), "new");
  EXPECT_EQ(EntriesOf(folder.path()), (Names{"list.txt", "other.txt"}));
}

// A file that appears while the save is under way is another writer's: it
// is kept, and the save says so rather than failing.
TEST(AtomicSave, KeepingAFileThatAppearsMeanwhileWritesNothing) {
  TempFolder folder;
  const auto target = folder / "list.txt";
  FaultyFileOps appears(FileFault::TargetAppears);
  EXPECT_FALSE(SaveFileAtomically(target, "mine", ExistingFile::Keep, appears));
  EXPECT_EQ(ReadBytes(target), "theirs");
  EXPECT_EQ(EntriesOf(folder.path()), Names{"list.txt"});
  // A rename that fails with no file in the way is a failure all the same.
  FaultyFileOps fails(FileFault::RenameFails);
  std::filesystem::remove(target);
  EXPECT_EQ(MessageOf([&] {
              SaveFileAtomically(target, "mine", ExistingFile::Keep, fails);
            }),
            CannotCreate(target));
  EXPECT_EQ(EntriesOf(folder.path()), Names{});
}

TEST(AtomicSave, TakenTemporaryNamesAreSteppedOver) {
  TempFolder folder;
  const auto target = folder / "list.txt";
  FaultyFileOps ops(FileFault::NamesTaken);
  EXPECT_TRUE(SaveFileAtomically(target, "new", ExistingFile::Replace, ops));
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_EQ(EntriesOf(folder.path()), Names{"list.txt"});
}

TEST(AtomicSave, FilesLeftByKilledSavesDoNotStandInTheWay) {
  TempFolder folder;
  const auto target = folder / "list.txt";
  WriteBytes(target, kOldText);
  FaultyFileOps killed(FileFault::KilledBeforeRename);
  for (int n = 0; n < 120; ++n) {
    MessageOf([&] {
      SaveFileAtomically(target, "lost", ExistingFile::Replace, killed);
    });
  }
  EXPECT_EQ(ReadBytes(target), kOldText);
  EXPECT_EQ(EntriesOf(folder.path()).size(), 121u);
  EXPECT_TRUE(SaveFileAtomically(target, "new", ExistingFile::Replace));
  EXPECT_EQ(ReadBytes(target), "new");
}

TEST(AtomicSave, AReadOnlyFileIsRefusedBeforeAnythingIsWritten) {
  TempFolder folder;
  const auto target = folder / "list.txt";
  WriteBytes(target, kOldText);
  SetReadOnly(target, true);
  EXPECT_EQ(MessageOf([&] {
              SaveFileAtomically(target, "new", ExistingFile::Replace);
            }),
            CannotCreate(target));
  SetReadOnly(target, false);
  EXPECT_EQ(ReadBytes(target), kOldText);
  EXPECT_EQ(EntriesOf(folder.path()), Names{"list.txt"});
}

TEST(AtomicSave, AFolderOfThatNameIsRefused) {
  TempFolder folder;
  const auto target = folder / "list.txt";
  std::filesystem::create_directory(target);
  EXPECT_EQ(MessageOf([&] {
              SaveFileAtomically(target, "new", ExistingFile::Replace);
            }),
            CannotCreate(target));
  EXPECT_TRUE(std::filesystem::is_directory(target));
}

TEST(AtomicSave, AFileHeldOpenElsewhereStaysAsItWas) {
  TempFolder folder;
  const auto target = folder / "list.txt";
  WriteBytes(target, kOldText);
  bool holds = false;
  {
    const auto handle = HoldOpen(target, holds);
    if (!holds) GTEST_SKIP() << "open files can be replaced on this platform";
    EXPECT_EQ(MessageOf([&] {
                SaveFileAtomically(target, "new", ExistingFile::Replace);
              }),
              CannotCreate(target));
  }
  EXPECT_EQ(ReadBytes(target), kOldText);
  EXPECT_EQ(EntriesOf(folder.path()), Names{"list.txt"});
}

TEST(AtomicSave, AReadOnlyFolderLeavesItsFileAsItWas) {
  TempFolder folder;
  const auto target = folder / "list.txt";
  WriteBytes(target, kOldText);
  if (!MakeFolderReadOnly(folder.path()))
    GTEST_SKIP() << "this platform gives no read-only folder here";
  const std::string message = MessageOf(
      [&] { SaveFileAtomically(target, "new", ExistingFile::Replace); });
  MakeFolderWritable(folder.path());
  EXPECT_EQ(message, CannotCreate(target));
  EXPECT_EQ(ReadBytes(target), kOldText);
  EXPECT_EQ(EntriesOf(folder.path()), Names{"list.txt"});
}

}  // namespace

namespace {

TEST(StaleTemporaryFiles, AreKnownByTheirTargetAndTheirSuffix) {
  const std::pair<const char8_t*, bool> rows[] = {
      {u8"T安全保管庫.txt.~0123abcd.tmp", true},
      {u8"T安全保管庫.追加分2.txt.~ffffffff.tmp", true},
      {u8"T安全保管庫.unicode.txt.~00000000.tmp", true},
      {u8"T品質保管庫.txt.~0123abcd.tmp", false},   // another target
      {u8"T安全保管庫.txt.~0123ABCD.tmp", false},   // not as saves name them
      {u8"T安全保管庫.txt.~0123abc.tmp", false},    // seven digits
      {u8"T安全保管庫.txt.~0123abcdx.tmp", false},  // nine places
      {u8"T安全保管庫.txt.~0123abcd.tmpx", false},
      {u8"T安全保管庫.txt", false},
  };
  for (const auto& [name, temporary] : rows)
    EXPECT_EQ(IsTemporaryFileOfSave(std::filesystem::path(name),
                                    std::filesystem::path(u8"T安全保管庫")),
              temporary)
        << PathForMessage(name);
}

TEST(StaleTemporaryFiles, OnlyOldOnesOfTheTargetAreRemoved) {
  TempFolder folder;
  const auto target = folder / u8"T安全保管庫.txt";
  FaultyFileOps killed(FileFault::KilledBeforeRename);
  for (int n = 0; n < 2; ++n)
    MessageOf([&] {
      SaveFileAtomically(target, "lost", ExistingFile::Replace, killed);
    });
  const Names left = EntriesOf(folder.path());
  ASSERT_EQ(left.size(), 2u);
  // One is an hour old; the other may be a save still under way.
  const auto old =
      folder /
      std::filesystem::path(reinterpret_cast<const char8_t*>(left[0].c_str()));
  std::filesystem::last_write_time(
      old, std::filesystem::last_write_time(old) - std::chrono::hours(1));
  WriteBytes(folder / "other.txt.~0123abcd.tmp", "");
  WriteBytes(folder / u8"T安全保管庫.txt", "kept");

  RemoveStaleTemporaryFiles(folder.path(), u8"T安全保管庫",
                            std::chrono::minutes(10));

  EXPECT_EQ(EntriesOf(folder.path()),
            (Names{"T安全保管庫.txt", left[1], "other.txt.~0123abcd.tmp"}));
}

TEST(StaleTemporaryFiles, OfExportsOnlyOldOnesOfTheirKindAreRemoved) {
  TempFolder folder;
  const auto hour_ago = [&](const char* name) {
    WriteBytes(folder / name, "partial");
    std::filesystem::last_write_time(
        folder / name, std::filesystem::last_write_time(folder / name) -
                           std::chrono::hours(1));
  };
  hour_ago("sheet.CSV.~0123abcd.tmp");
  hour_ago("poster.png.~0123abcd.tmp");
  hour_ago("report.docx.~0123abcd.tmp");  // not a save of ours
  hour_ago("sheet.csv.~0123abcd.txt");
  WriteBytes(folder / "young.csv.~89abcdef.tmp", "under way");

  RemoveStaleTemporaryFilesOfKind(folder.path(), ".csv",
                                  std::chrono::minutes(10));

  EXPECT_EQ(EntriesOf(folder.path()),
            (Names{"poster.png.~0123abcd.tmp", "report.docx.~0123abcd.tmp",
                   "sheet.csv.~0123abcd.txt", "young.csv.~89abcdef.tmp"}));
}

}  // namespace

}  // namespace tavlin
