// Undoing an install on a real prefix: what the list names goes, newest first; the user's files
// and the folders holding them stay; the running program goes last, with the folder it empties;
// the registry records go only when they describe this install.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "apps/common/ProductRecords.h"
#include "apps/uninstaller/InstallRemoval.h"
#include "setup/InstallRecords.h"
#include "support/InstallDrive.h"

namespace fs = std::filesystem;

namespace {

class InstallRemoval : public ::testing::Test {
 protected:
  void Write(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "x";
  }
  void InstallTree() {
    for (const char* name :
         {"PlayCrate.exe", "Uninstall.exe", "img/a.bmp", "img/b.bmp", "skin/s.xml"})
      Write(m_drive.InstallDir() / name);
    Write(m_drive.DriveC() / "users/Public/Desktop/Halvane.lnk");
  }
  std::vector<ManifestEntry> List() const {
    return {{ManifestKind::Folder, u"D:\\Games\\Halvane"},
            {ManifestKind::Folder, u"img"},
            {ManifestKind::Folder, u"skin"},
            {ManifestKind::File, u"PlayCrate.exe"},
            {ManifestKind::File, u"Uninstall.exe"},
            {ManifestKind::File, u"img\\a.bmp"},
            {ManifestKind::File, u"img\\b.bmp"},
            {ManifestKind::File, u"skin\\s.xml"},
            {ManifestKind::Link, u"C:\\users\\Public\\Desktop\\Halvane.lnk"}};
  }
  std::u16string Self() const { return m_drive.InstallDirW() + u"Uninstall.exe"; }

  TestSupport::InstallDrive m_drive;
};

TEST_F(InstallRemoval, RemovesTheListKeepsTheUsersFilesAndTheProgramForLast) {
  InstallTree();
  Write(m_drive.InstallDir() / "skin/mine.txt");  // the user's, added after the install
  RemovalCounts counts = RemoveListedItems(m_drive.InstallDirW().c_str(), List(), Self().c_str());
  EXPECT_EQ(counts.nRemoved, 7);
  EXPECT_EQ(counts.nKept, 2);  // "skin" with the user's file, the install folder with both
  EXPECT_FALSE(fs::exists(m_drive.InstallDir() / "img"));
  EXPECT_FALSE(fs::exists(m_drive.InstallDir() / "PlayCrate.exe"));
  EXPECT_FALSE(fs::exists(m_drive.InstallDir() / "skin/s.xml"));
  EXPECT_TRUE(fs::exists(m_drive.InstallDir() / "skin/mine.txt"));
  EXPECT_TRUE(fs::exists(m_drive.InstallDir() / "Uninstall.exe"));
  EXPECT_FALSE(fs::exists(m_drive.DriveC() / "users/Public/Desktop/Halvane.lnk"));
  EXPECT_TRUE(fs::exists(m_drive.DriveC() / "users/Public/Desktop"));

  EXPECT_TRUE(RemoveSelfLast(Self().c_str(), m_drive.InstallDirW().c_str(), true));
  EXPECT_FALSE(fs::exists(m_drive.InstallDir() / "Uninstall.exe"));
  EXPECT_TRUE(fs::exists(m_drive.InstallDir() / "skin/mine.txt"));
}

TEST_F(InstallRemoval, TheEmptiedInstallFolderGoesWithTheProgramWhenTheInstallMadeIt) {
  InstallTree();
  RemoveListedItems(m_drive.InstallDirW().c_str(), List(), Self().c_str());
  EXPECT_TRUE(ListsInstallFolder(u"d:\\games\\halvane\\", List()));
  const std::vector<ManifestEntry> list = List();
  EXPECT_FALSE(ListsInstallFolder(m_drive.InstallDirW().c_str(), {list.begin() + 1, list.end()}));
  ASSERT_TRUE(RemoveSelfLast(Self().c_str(), m_drive.InstallDirW().c_str(), true));
  EXPECT_FALSE(fs::exists(m_drive.InstallDir()));
  EXPECT_TRUE(fs::exists(m_drive.InstallDir().parent_path()));
}

TEST_F(InstallRemoval, EntriesAlreadyGoneCountAsRemoved) {
  fs::create_directories(m_drive.InstallDir());
  RemovalCounts counts = RemoveListedItems(m_drive.InstallDirW().c_str(), List(), Self().c_str());
  EXPECT_EQ(counts.nKept, 0);
  EXPECT_EQ(counts.nRemoved, 9);
}

TEST_F(InstallRemoval, RecordsGoOnlyWhenTheyDescribeThisInstall) {
  const std::u16string launcher = m_drive.InstallDirW() + u"PlayCrate.exe";
  ASSERT_TRUE(RegisterUninstallEntry(launcher.c_str()));
  ASSERT_TRUE(WriteInstallPath(u"D:\\Elsewhere\\Halvane\\"));
  EXPECT_TRUE(RemoveUninstallEntry(u"d:\\games\\halvane"));
  EXPECT_TRUE(RemoveInstallPathRecord(m_drive.InstallDirW().c_str()));
  WCHAR value[MAX_PATH] = {};
  EXPECT_FALSE(ReadUninstallValue(u"DisplayVersion", value, MAX_PATH));
  std::fill(std::begin(value), std::end(value), 0);
  ASSERT_TRUE(ReadInstallPath(value));  // another install's record stays
  EXPECT_EQ(std::u16string(value), u"D:\\Elsewhere\\Halvane\\");

  ASSERT_TRUE(WriteInstallPath(m_drive.InstallDirW().c_str()));
  EXPECT_TRUE(RemoveInstallPathRecord(m_drive.InstallDirW().c_str()));
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Halvane", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
}

}  // namespace
