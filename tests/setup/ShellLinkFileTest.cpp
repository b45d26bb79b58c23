#include <gtest/gtest.h>

#include <set>
#include <string>

#include "LinkProbe.h"
#include "setup/Shortcuts.h"
#include "support/InstallDrive.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(ShellLinkFile, WritesTheProductShortcutThatLnkinfoReads) {
  TestSupport::InstallDrive drive;
  fs::create_directories(drive.Root() / "Links");
  ASSERT_TRUE(CreateShellShortcut(u"D:\\Games\\Halvane\\", u"D:\\Games\\Halvane\\PlayCrate.exe",
                                  u"D:\\Links"));
  LinkInfo info = ReadLink(drive.Root() / "Links" / "Halvane.lnk");
  ASSERT_TRUE(info.ok);
  EXPECT_EQ(info.target, "D:\\Games\\Halvane\\PlayCrate.exe");
  EXPECT_EQ(info.workingDirectory, "D:\\Games\\Halvane\\");
  EXPECT_EQ(info.description, "Halvane");
  EXPECT_EQ(info.showCommand, 1);
  EXPECT_FALSE(info.relativePath.empty());
}

TEST(ShellLinkFile, FolderWithTrailingBackslashAndMissingFolders) {
  TestSupport::InstallDrive drive;
  // The install directory itself, as the taskbar pin uses it: "D:\Games\Halvane\\Halvane.lnk".
  EXPECT_TRUE(CreateShellShortcut(u"D:\\Games\\Halvane\\", u"D:\\Games\\Halvane\\PlayCrate.exe",
                                  u"D:\\Games\\Halvane\\"));
  EXPECT_TRUE(fs::exists(drive.InstallDir() / "Halvane.lnk"));
  EXPECT_FALSE(CreateShellShortcut(u"D:\\Games\\Halvane\\", u"D:\\Games\\Halvane\\PlayCrate.exe",
                                   u"D:\\No\\Such\\Folder"));
  EXPECT_FALSE(fs::exists(drive.Root() / "No"));
}

TEST(ShellLinkFile, StaleTemporaryCopiesOfTheLinkAreRemoved) {
  TestSupport::InstallDrive drive;
  const fs::path links = drive.Root() / "Links";
  fs::create_directories(links);
  // What a writer killed before its rename leaves, and files that only look alike.
  for (const char* name : {".~Halvane.lnk.a1B2c3", ".~Halvane.lnk.XYZ789", ".~Other.lnk.a1B2c3",
                           ".~Halvane.lnk.long-suffix", "Halvane.lnk.a1B2c3"})
    TestSupport::WriteFile(links / name, "partial");
  ASSERT_TRUE(CreateShellShortcut(u"D:\\Games\\Halvane\\", u"D:\\Games\\Halvane\\PlayCrate.exe",
                                  u"D:\\Links"));
  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(links)) left.insert(entry.path().filename());
  EXPECT_EQ(left, (std::set<std::string>{"Halvane.lnk", ".~Other.lnk.a1B2c3",
                                         ".~Halvane.lnk.long-suffix", "Halvane.lnk.a1B2c3"}));
}

}  // namespace
