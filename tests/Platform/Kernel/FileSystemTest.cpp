#include <sys/stat.h>

#include "KernelTestUtil.h"
#include "Platform/Kernel/Modules.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace KernelTest;

namespace {

class FileSystem : public PrefixTest {};

TEST_F(FileSystem, CreateDirectoryMakesOneLevel) {
  EXPECT_TRUE(CreateDirectoryW(u"C:\\Games", nullptr));
  EXPECT_TRUE(fs::is_directory(C("Games")));
  EXPECT_FALSE(CreateDirectoryW(u"C:\\games", nullptr));  // found regardless of case
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectoryW(u"C:\\a\\b", nullptr));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(CreateDirectoryW(u"C:\\", nullptr));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

TEST_F(FileSystem, ShellCreatesEveryMissingLevel) {
  EXPECT_EQ(SHCreateDirectoryExW(nullptr, u"C:\\Games\\Halvane\\img\\", nullptr), ERROR_SUCCESS);
  EXPECT_TRUE(fs::is_directory(C("Games/Halvane/img")));
  EXPECT_EQ(SHCreateDirectory(nullptr, u"c:/games/halvane/img/more"), ERROR_SUCCESS);
  EXPECT_TRUE(fs::is_directory(C("Games/Halvane/img/more")));
  EXPECT_EQ(SHCreateDirectory(nullptr, u"C:\\Games\\Halvane"), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  TestSupport::WriteFile(C("file"), "x");
  EXPECT_EQ(SHCreateDirectory(nullptr, u"C:\\file"), ERROR_FILE_EXISTS);
  EXPECT_EQ(SHCreateDirectory(nullptr, u"C:\\file\\sub"), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(SHCreateDirectory(nullptr, u"relative\\dir"), ERROR_BAD_PATHNAME);
  EXPECT_EQ(SHCreateDirectory(nullptr, nullptr), ERROR_BAD_PATHNAME);
  EXPECT_EQ(SHCreateDirectory(nullptr, u"Q:\\x"), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(SHCreateDirectory(nullptr, u"\\\\server\\share\\x"), ERROR_BAD_NETPATH);
}

TEST_F(FileSystem, ShellDirectoryPathsHaveTheirDocumentedLimits) {
  std::u16string longest = u"C:\\" + std::u16string(244, u'a');  // 247 characters
  EXPECT_EQ(SHCreateDirectoryExW(nullptr, longest.c_str(), nullptr), ERROR_SUCCESS);
  longest += u'b';
  EXPECT_EQ(SHCreateDirectoryExW(nullptr, longest.c_str(), nullptr), ERROR_FILENAME_EXCED_RANGE);
  std::u16string tooLong = u"C:\\" + std::u16string(257, u'c');  // 260 characters
  EXPECT_EQ(SHCreateDirectory(nullptr, tooLong.c_str()), ERROR_FILENAME_EXCED_RANGE);
}

TEST_F(FileSystem, DeleteFileRemovesFilesAndLinksOnly) {
  TestSupport::WriteFile(C("f"), "x");
  EXPECT_TRUE(DeleteFileW(u"C:\\f"));
  EXPECT_FALSE(fs::exists(C("f")));
  EXPECT_FALSE(DeleteFileW(u"C:\\f"));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(DeleteFileW(u"C:\\none\\f"));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  fs::create_directories(C("dir"));
  EXPECT_FALSE(DeleteFileW(u"C:\\dir"));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  // A link is removed, not what it points at.
  TestSupport::WriteFile(prefix.Scratch() / "target", "keep");
  fs::create_symlink(prefix.Scratch() / "target", C("link"));
  EXPECT_TRUE(DeleteFileW(u"C:\\link"));
  EXPECT_TRUE(fs::exists(prefix.Scratch() / "target"));
}

TEST_F(FileSystem, TempPathIsPrivateAndEndsWithABackslash) {
  WCHAR buf[MAX_PATH];
  DWORD n = GetTempPathW(MAX_PATH, buf);
  ASSERT_GT(n, 0u);
  std::u16string temp(buf, n);
  EXPECT_EQ(temp.back(), u'\\');
  EXPECT_EQ(n, static_cast<DWORD>(lstrlenW(buf)));
  EXPECT_EQ(temp, u"C:\\users\\" + Platform::PrefixUserName() + u"\\AppData\\Local\\Temp\\");
  struct stat st;
  std::string posix;
  ASSERT_TRUE(Platform::WindowsToPosixPath(temp, &posix));
  ASSERT_EQ(0, stat(posix.c_str(), &st));
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  // A buffer too small gets nothing and learns the size needed, terminator included.
  WCHAR small[4] = {u'x', 0};
  EXPECT_EQ(GetTempPathW(4, small), n + 1);
  EXPECT_EQ(small[0], u'x');
  EXPECT_EQ(GetTempPathW(n, buf), n + 1);
  EXPECT_EQ(GetTempPathW(n + 1, buf), n);
}

TEST_F(FileSystem, ModuleFileNameIsTheProgramAsADrivePath) {
  WCHAR buf[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
  ASSERT_GT(n, 0u);
  std::string posix;
  ASSERT_TRUE(Platform::WindowsToPosixPath(std::u16string(buf, n), &posix));
  EXPECT_EQ(fs::canonical(posix), fs::canonical("/proc/self/exe"));
  EXPECT_EQ(GetModuleFileNameW(Platform::ProgramModule(), buf, MAX_PATH), n);

  WCHAR small[5];
  EXPECT_EQ(GetModuleFileNameW(nullptr, small, 5), 5u);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(small[4], 0);
  EXPECT_EQ(std::u16string(small), std::u16string(buf, 4));
}

TEST_F(FileSystem, PathFileExistsSeesFilesAndFolders) {
  TestSupport::WriteFile(C("PlayCrate.exe"), "MZ");
  EXPECT_TRUE(PathFileExistsW(u"C:\\PlayCrate.exe"));
  EXPECT_TRUE(PathFileExistsW(u"C:\\playcrate.EXE"));
  EXPECT_TRUE(PathFileExistsW(u"C:\\users"));
  EXPECT_FALSE(PathFileExistsW(u"C:\\Uninstall.exe"));
  EXPECT_FALSE(PathFileExistsW(u"Q:\\"));
  EXPECT_FALSE(PathFileExistsW(nullptr));
}

}  // namespace
