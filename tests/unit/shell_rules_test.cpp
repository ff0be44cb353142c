#include "src/info/shell_rules.h"

#include <gtest/gtest.h>

namespace tavlin {

namespace {

struct PathRow {
  std::u16string path;
  std::u16string directory_part;
  std::u16string directory;
};

TEST(PathRules, DirectoryPartAndDirectory) {
  const PathRow rows[] = {
      {u"C:\\Tools\\Tavlin.exe", u"C:\\Tools\\", u"C:\\Tools"},
      {u"C:\\Tavlin.exe", u"C:\\", u"C:\\"},
      {u"C:\\Users\\me\\SendTo", u"C:\\Users\\me\\", u"C:\\Users\\me"},
      {u"C:\\Tools\\", u"C:\\Tools\\", u"C:\\Tools"},
      {u"MailTo:someone@example.org", u"MailTo:", u"MailTo:"},
      {u"C:Tavlin.exe", u"C:", u"C:"},
      {u"Tavlin.exe", u"", u""},
      {u"\\\\server\\share\\Tavlin.exe", u"\\\\server\\share\\",
       u"\\\\server\\share"},
      {u"\\\\", u"\\\\", u"\\\\"},
      // 表 is one character here: its Shift-JIS trail byte 0x5C is no "\".
      {u"C:\\表\\ソ.exe", u"C:\\表\\", u"C:\\表"},
  };
  for (const PathRow& row : rows) {
    EXPECT_EQ(DirectoryPart(row.path), row.directory_part);
    EXPECT_EQ(DirectoryOf(row.path), row.directory);
  }
}

TEST(PathRules, ShortcutFilesAreNamedAfterTheProgram) {
  EXPECT_EQ(ShortcutFilePath(u"C:\\Users\\me\\SendTo", u"Tavlin"),
            u"C:\\Users\\me\\SendTo\\Tavlin.lnk");
  EXPECT_EQ(ShortcutFilePath(u"C:\\Users\\me\\Desktop\\", u"Tavlin"),
            u"C:\\Users\\me\\Desktop\\Tavlin.lnk");
  EXPECT_EQ(ShortcutFilePath(u"C:\\表", u"ソ"), u"C:\\表\\ソ.lnk");
  EXPECT_EQ(ShortcutName(u"C:\\Tools\\Tavlin.exe"), u"Tavlin");
  EXPECT_EQ(ShortcutName(u"C:\\Tools\\My.Tool.exe"), u"My.Tool");
  EXPECT_EQ(ShortcutName(u"C:\\Tools.d\\Tavlin"), u"Tavlin");
  EXPECT_EQ(FileNameOf(u"C:\\Tools\\Tavlin.exe"), u"Tavlin.exe");
}

TEST(PathRules, TrailingSeparatorGoesOnce) {
  EXPECT_EQ(WithoutTrailingSeparator(u"C:\\Tools\\"), u"C:\\Tools");
  EXPECT_EQ(WithoutTrailingSeparator(u"C:\\Tools"), u"C:\\Tools");
  EXPECT_EQ(WithoutTrailingSeparator(u"C:\\\\"), u"C:\\");
  EXPECT_EQ(WithoutTrailingSeparator(u"C:\\表"), u"C:\\表");
  EXPECT_EQ(WithoutTrailingSeparator(u""), u"");
}

TEST(PathRules, MailLinksCarryTheProgramName) {
  EXPECT_EQ(MailToTarget(u"tavlin@example.org", u"Tavlin.exe"),
            u"MailTo:tavlin@example.org?subject=from [Tavlin.exe] user");
}

TEST(ShellRules, FailureCodesBecomeMessages) {
  EXPECT_EQ(OleErrorMessage(0x80070005, "Access is denied. \r\n"),
            "Access is denied");
  EXPECT_EQ(OleErrorMessage(0x80070005, ""), "OLE エラー 80070005");
  EXPECT_EQ(OleErrorMessage(0x8000FFFF, " .\r\n"), "OLE エラー 8000FFFF");
  EXPECT_EQ(OleErrorMessage(0x1, "x"), "x");
}

}  // namespace

}  // namespace tavlin
