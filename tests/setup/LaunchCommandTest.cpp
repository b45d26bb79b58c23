#include <gtest/gtest.h>

#include <string>

#include "setup/LaunchCommand.h"

namespace {

TEST(LaunchCommand, LauncherPathWithOrWithoutTrailingBackslash) {
  WCHAR out[MAX_PATH];
  LauncherPath(u"D:\\Games\\Halvane\\", out);
  EXPECT_EQ(std::u16string(out), u"D:\\Games\\Halvane\\PlayCrate.exe");
  LauncherPath(u"D:\\Games\\Halvane", out);
  EXPECT_EQ(std::u16string(out), u"D:\\Games\\Halvane\\PlayCrate.exe");
}

TEST(LaunchCommand, LauncherQuotedInstallerPathLeftAsText) {
  WCHAR out[kLaunchCommandSize];
  LaunchCommandLine(u"C:\\Program Files\\Halvane\\PlayCrate.exe",
                    u"Z:\\home\\me\\Halvane Setup.exe", out);
  EXPECT_EQ(std::u16string(out),
            u"\"C:\\Program Files\\Halvane\\PlayCrate.exe\" Z:\\home\\me\\Halvane Setup.exe");
}

TEST(LaunchCommand, LongestPathsStillFit) {
  std::u16string launcher = u"C:\\" + std::u16string(256, u'l');  // 259 characters
  std::u16string installer = u"Z:\\" + std::u16string(256, u'i');
  WCHAR out[kLaunchCommandSize];
  LaunchCommandLine(launcher.c_str(), installer.c_str(), out);
  EXPECT_EQ(std::u16string(out), u"\"" + launcher + u"\" " + installer);
}

}  // namespace
