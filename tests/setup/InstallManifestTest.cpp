#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/InstallManifest.h"
#include "support/TempDir.h"
#include "support/TestPrefix.h"

namespace {

using Entries = std::vector<ManifestEntry>;
const char16_t kDir[] = u"C:\\Games\\Halvane\\";

class InstallManifest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SHCreateDirectory(nullptr, kDir), ERROR_SUCCESS); }
  std::string ListBytes() const {
    return TestSupport::ReadFile((m_prefix.DriveC() / "Games/Halvane/uninstall.lst").string());
  }
  void WriteList(const std::string& bytes) {
    HANDLE file = CreateFileW(u"C:\\Games\\Halvane\\uninstall.lst", GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  TestSupport::TestPrefix m_prefix;
};

TEST_F(InstallManifest, ListsWhatTheInstallCreatedAsItGoes) {
  InstallManifestWriter writer;
  ASSERT_TRUE(writer.Create(kDir));
  EXPECT_EQ(ListBytes(), "HalvaneInstall 1\r\n");
  ASSERT_TRUE(writer.Add(ManifestKind::Folder, u"C:\\Games\\Halvane\\数据"));
  ASSERT_TRUE(writer.Add(ManifestKind::File, u"c:\\games\\halvane\\数据\\a.pak"));
  EXPECT_EQ(ListBytes(), "HalvaneInstall 1\r\nD 数据\r\nF 数据\\a.pak\r\n");  // written through
  ASSERT_TRUE(writer.Add(ManifestKind::File, u"C:\\Games\\Halvane\\PlayCrate.exe", false));
  ASSERT_TRUE(writer.Add(ManifestKind::Folder, u"C:\\ProgramData\\Halvane"));
  ASSERT_TRUE(writer.Add(ManifestKind::Link, u"C:\\Users\\Public\\Desktop\\Halvane.lnk"));
  ASSERT_TRUE(writer.Add(ManifestKind::Pin, u"C:\\Games\\Halvane\\Halvane.lnk"));
  writer.Close();

  EXPECT_EQ(ListBytes(),
            "HalvaneInstall 1\r\nD 数据\r\nF 数据\\a.pak\r\nF PlayCrate.exe\r\n"
            "D C:\\ProgramData\\Halvane\r\nL C:\\Users\\Public\\Desktop\\Halvane.lnk\r\n"
            "P C:\\Games\\Halvane\\Halvane.lnk\r\n");
  Entries read;
  ASSERT_TRUE(ReadInstallManifest(kDir, &read));
  EXPECT_EQ(read.size(), 6u);
  // An overwritten file is the uninstaller's to remove, not the undo's.
  Entries created = writer.Created();
  ASSERT_EQ(created.size(), 5u);
  EXPECT_EQ(created[2], (ManifestEntry{ManifestKind::Folder, u"C:\\ProgramData\\Halvane"}));
}

TEST_F(InstallManifest, ParsesOnlyListsThatNameSafePlaces) {
  const std::string header = "HalvaneInstall 1\r\n";
  struct Case {
    std::string text;
    bool accepted;
    size_t entries;
  } cases[] = {
      {header, true, 0},
      {header + "F a\\b.txt\r\nD C:\\x\r\n", true, 2},
      {header + "F a\\b.txt\r\nF half-writ", true, 1},  // an unfinished last write
      {"", false, 0},
      {"\xEF\xBB\xBF" + header, false, 0},
      {"HalvaneInstall 2\r\n", false, 0},
      {"HalvaneInstall 1\n", false, 0},
      {header + "F a\nF b\r\n", false, 0},
      {header + "X a\r\n", false, 0},
      {header + "F \r\n", false, 0},
      {header + "Fa\r\n", false, 0},
      {header + "F ..\\boot.ini\r\n", false, 0},
      {header + "F a\\..\\..\\b\r\n", false, 0},
      {header + "D C:\\Games\\..\\Windows\r\n", false, 0},
      {header + "F C:x\r\n", false, 0},
      {header + "F \\rooted\r\n", false, 0},
      {header + "L Desktop\\Halvane.lnk\r\n", false, 0},
      {header + "F \xC3\x28\r\n", false, 0},
  };
  for (const Case& c : cases) {
    Entries entries;
    EXPECT_EQ(ParseManifest(c.text, &entries), c.accepted) << c.text;
    EXPECT_EQ(entries.size(), c.entries) << c.text;
  }
}

TEST_F(InstallManifest, ReinstallCarriesTheEarlierListAndUndoRestoresIt) {
  ASSERT_EQ(SHCreateDirectory(nullptr, u"C:\\Games\\Halvane\\old"), ERROR_SUCCESS);
  WriteList("HalvaneInstall 1\r\nD old\r\nD gone\r\nF PlayCrate.exe\r\n");
  InstallManifestWriter writer;
  ASSERT_TRUE(writer.Create(kDir));
  // "gone" no longer exists and PlayCrate.exe was never written: neither is carried.
  EXPECT_EQ(writer.Carried(), (Entries{{ManifestKind::Folder, u"old"}}));
  ASSERT_TRUE(writer.Add(ManifestKind::Folder, u"C:\\Games\\Halvane\\old", false));
  ASSERT_TRUE(writer.Add(ManifestKind::File, u"C:\\Games\\Halvane\\new.txt"));
  EXPECT_EQ(ListBytes(), "HalvaneInstall 1\r\nD old\r\nF new.txt\r\n");

  ASSERT_TRUE(writer.RewriteCarriedOnly());
  EXPECT_EQ(ListBytes(), "HalvaneInstall 1\r\nD old\r\n");
}

TEST_F(InstallManifest, AnUndoOfAFirstInstallLeavesNoList) {
  InstallManifestWriter writer;
  ASSERT_TRUE(writer.Create(kDir));
  ASSERT_TRUE(writer.Add(ManifestKind::File, u"C:\\Games\\Halvane\\a"));
  ASSERT_TRUE(writer.RewriteCarriedOnly());
  EXPECT_EQ(GetFileAttributesW(u"C:\\Games\\Halvane\\uninstall.lst"), INVALID_FILE_ATTRIBUTES);
  Entries entries;
  EXPECT_FALSE(ReadInstallManifest(kDir, &entries));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
