#include "setup/ShellLinkFile.h"

#include <gtest/gtest.h>

#include "LinkProbe.h"
#include "support/InstallDrive.h"

namespace {

namespace fs = std::filesystem;

TEST(ShellLinkFile, WritesTheProductShortcutThatLnkinfoReads) {
  TestSupport::InstallDrive drive;
  fs::create_directories(drive.Root() / "Links");
  ASSERT_TRUE(CreateShellShortcut(u"D:\\Games\\Halvane\\", u"D:\\Games\\Halvane\\PlayCrate.exe", u"D:\\Links"));
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

}  // namespace
