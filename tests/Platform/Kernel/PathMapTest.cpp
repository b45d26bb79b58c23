#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"
#include "support/TestPrefix.h"

namespace fs = std::filesystem;
using Platform::PosixToWindowsPath;

namespace {

std::string ToPosix(std::u16string_view windows) {
  std::string posix;
  EXPECT_TRUE(Platform::WindowsToPosixPath(windows, &posix)) << Platform::Utf16ToUtf8(windows);
  return posix;
}

DWORD Refusal(std::u16string_view windows) {
  std::string posix = "untouched";
  SetLastError(0);
  EXPECT_FALSE(Platform::WindowsToPosixPath(windows, &posix)) << Platform::Utf16ToUtf8(windows);
  return GetLastError();
}

class PathMap : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Platform::PrefixDir(), prefix.Path().string()); }
  std::string C(const std::string& rest) const { return (prefix.DriveC() / rest).string(); }
  TestSupport::TestPrefix prefix;
};

TEST_F(PathMap, PrefixIsLaidOutOnFirstUse) {
  const fs::path p = prefix.Path();
  EXPECT_EQ(fs::read_symlink(p / "dosdevices/c:"), "../drive_c");
  EXPECT_EQ(fs::read_symlink(p / "dosdevices/z:"), "/");
  const std::string user = Platform::Utf16ToUtf8(Platform::PrefixUserName());
  for (const char* dir : {"Program Files", "users/Public/Desktop"})
    EXPECT_TRUE(fs::is_directory(prefix.DriveC() / dir)) << dir;
  const fs::path home = prefix.DriveC() / "users" / user;
  EXPECT_TRUE(fs::is_directory(home / "Desktop"));
  EXPECT_TRUE(fs::is_directory(home / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs"));

  std::string temp;
  ASSERT_TRUE(Platform::PrivateTempDir(&temp));
  EXPECT_EQ(temp, (home / "AppData/Local/Temp").string());
  struct stat st;
  ASSERT_EQ(0, stat(temp.c_str(), &st));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(PathMap, TempFolderIsMadePrivateAgainAndNeverALink) {
  std::string temp;
  ASSERT_TRUE(Platform::PrivateTempDir(&temp));
  chmod(temp.c_str(), 0777);
  ASSERT_TRUE(Platform::PrivateTempDir(&temp));
  struct stat st;
  ASSERT_EQ(0, stat(temp.c_str(), &st));
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  // A link planted in its place (pointing at a shared folder) is refused.
  fs::remove(temp);
  fs::create_directory_symlink(prefix.Scratch(), temp);
  EXPECT_FALSE(Platform::PrivateTempDir(&temp));
}

TEST_F(PathMap, ExistingDriveLinksAreKept) {
  fs::path other = prefix.Scratch() / "elsewhere";
  fs::create_directories(other);
  TestSupport::TestPrefix second;
  fs::create_directories(second.Path() / "dosdevices");
  fs::create_directory_symlink(other, second.Path() / "dosdevices/c:");
  ASSERT_EQ(Platform::PrefixDir(), second.Path().string());
  EXPECT_EQ(fs::read_symlink(second.Path() / "dosdevices/c:"), other);
  EXPECT_EQ(ToPosix(u"C:\\x"), (other / "x").string());
}

TEST_F(PathMap, ChangingThePrefixVariableTakesEffectAtOnce) {
  std::string before = ToPosix(u"C:\\a");
  {
    TestSupport::TestPrefix inner;
    EXPECT_EQ(ToPosix(u"C:\\a"), (inner.DriveC() / "a").string());
    EXPECT_TRUE(fs::is_symlink(inner.Path() / "dosdevices/c:"));
  }
  EXPECT_EQ(ToPosix(u"C:\\a"), before);
}

TEST_F(PathMap, DriveLettersAndSeparatorsAreInterchangeable) {
  const std::string want = C("Program Files/Halvane/PlayCrate.exe");
  EXPECT_EQ(ToPosix(u"C:\\Program Files\\Halvane\\PlayCrate.exe"), want);
  EXPECT_EQ(ToPosix(u"c:/Program Files/Halvane/PlayCrate.exe"), want);
  EXPECT_EQ(ToPosix(u"C:\\\\Program Files//Halvane\\/PlayCrate.exe"), want);
  EXPECT_EQ(ToPosix(u"\\\\?\\C:\\Program Files\\Halvane\\PlayCrate.exe"), want);
  EXPECT_EQ(ToPosix(u"C:\\"), prefix.DriveC().string());
  EXPECT_EQ(ToPosix(u"C:"), prefix.DriveC().string());
  EXPECT_EQ(ToPosix(u"z:\\etc\\passwd"), "/etc/passwd");
  EXPECT_EQ(ToPosix(u"Z:\\"), "/");
}

TEST_F(PathMap, DotDotNeverClimbsAboveTheDriveRoot) {
  EXPECT_EQ(ToPosix(u"C:\\..\\..\\..\\etc\\passwd"), C("etc/passwd"));
  EXPECT_EQ(ToPosix(u"C:\\a\\.\\b\\..\\..\\..\\c"), C("c"));
  EXPECT_EQ(ToPosix(u"Z:\\tmp\\..\\..\\x"), "/x");
}

TEST_F(PathMap, TrailingDotsAndBlanksOfTheLastNameAreDropped) {
  EXPECT_EQ(ToPosix(u"C:\\dir\\file.txt. . "), C("dir/file.txt"));
  EXPECT_EQ(ToPosix(u"C:\\dir.\\x"), C("dir./x"));
}

TEST_F(PathMap, MissingNamesAreFoundRegardlessOfCase) {
  EXPECT_EQ(ToPosix(u"C:\\PROGRAM FILES\\New Dir\\A.txt"), C("Program Files/New Dir/A.txt"));
  fs::create_directories(prefix.DriveC() / "Games/Img");
  EXPECT_EQ(ToPosix(u"c:\\games\\IMG\\x.BMP"), C("Games/Img/x.BMP"));
  // An exact match wins over a case variant.
  fs::create_directories(prefix.DriveC() / "games");
  EXPECT_EQ(ToPosix(u"C:\\games\\a"), C("games/a"));
}

TEST_F(PathMap, RefusedFormsSayWhy) {
  EXPECT_EQ(Refusal(u""), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(Refusal(u"C:relative"), static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(Refusal(u"\\\\server\\share\\file"), static_cast<DWORD>(ERROR_BAD_NETPATH));
  EXPECT_EQ(Refusal(u"\\\\?\\UNC\\server\\share"), static_cast<DWORD>(ERROR_BAD_NETPATH));
  EXPECT_EQ(Refusal(u"\\\\.\\PhysicalDrive0"), static_cast<DWORD>(ERROR_BAD_NETPATH));
  EXPECT_EQ(Refusal(u"C:\\a<b"), static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(Refusal(u"C:\\a\\b:stream"), static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(Refusal(u"C:\\a\x01"), static_cast<DWORD>(ERROR_INVALID_NAME));
  EXPECT_EQ(Refusal(u"Q:\\nothing"), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(Refusal(u"1:\\x"), static_cast<DWORD>(ERROR_INVALID_NAME));
}

TEST_F(PathMap, PosixPathsComeBackUnderTheirDrive) {
  EXPECT_EQ(PosixToWindowsPath(C("users/Public/Desktop")), u"C:\\users\\Public\\Desktop");
  EXPECT_EQ(PosixToWindowsPath(prefix.DriveC().string()), u"C:\\");
  EXPECT_EQ(PosixToWindowsPath(prefix.DriveC().string() + "/"), u"C:\\");
  EXPECT_EQ(PosixToWindowsPath("/"), u"Z:\\");
  EXPECT_EQ(PosixToWindowsPath("/usr//bin/./env"), u"Z:\\usr\\bin\\env");
  // A name that merely starts like drive_c is not inside it.
  std::string outside = prefix.DriveC().string() + "x/y";
  std::u16string want = u"Z:" + Platform::Utf8ToUtf16(outside);
  for (char16_t& ch : want)
    if (ch == u'/') ch = u'\\';
  EXPECT_EQ(PosixToWindowsPath(outside), want);
}

TEST_F(PathMap, TheLongestDriveTargetWins) {
  fs::create_directories(prefix.DriveC() / "games/halvane");
  fs::create_directory_symlink("../drive_c/games", prefix.Path() / "dosdevices/d:");
  EXPECT_EQ(PosixToWindowsPath(C("games/halvane/x.dat")), u"D:\\halvane\\x.dat");
  EXPECT_EQ(ToPosix(u"d:\\halvane\\x.dat"), C("games/halvane/x.dat"));
  EXPECT_EQ(PosixToWindowsPath(C("gamesx")), u"C:\\gamesx");
}

TEST_F(PathMap, RoundTripsKeepEveryName) {
  const std::string names[] = {C("users/Public/Desktop/Halvane.lnk"),
                               C("Program Files/Halvane/\xE5\xAE\x89\xE8\xA3\x85"),
                               "/var/lib/some thing/file.tar.gz", C("odd/a:b*c?d\"e<f>g|h\\i")};
  for (const std::string& posix : names) {
    std::u16string windows = PosixToWindowsPath(posix);
    EXPECT_EQ(ToPosix(windows), posix) << posix;
    EXPECT_EQ(PosixToWindowsPath(ToPosix(windows)), windows);
  }
  // Forbidden characters travel as private-use characters and never act as separators.
  EXPECT_EQ(PosixToWindowsPath(C("a\\b")), u"C:\\a\uF05Cb");
}

TEST_F(PathMap, RelativePathsFollowTheCurrentFolder) {
  fs::create_directories(prefix.DriveC() / "work/sub");
  const fs::path saved = fs::current_path();
  fs::current_path(prefix.DriveC() / "work");
  EXPECT_EQ(ToPosix(u"sub\\a.png"), C("work/sub/a.png"));
  EXPECT_EQ(ToPosix(u"..\\b.png"), C("b.png"));
  EXPECT_EQ(ToPosix(u"\\rooted.txt"), C("rooted.txt"));
  EXPECT_EQ(PosixToWindowsPath("sub"), u"C:\\work\\sub");
  fs::current_path(saved);
}

}  // namespace
