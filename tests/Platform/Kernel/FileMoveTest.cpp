// Removing folders, moving files, moves left for the next start, and the thread's UI language.
#include <fstream>
#include <thread>

#include "KernelTestUtil.h"

using namespace KernelTest;
namespace fs = std::filesystem;

namespace {

class FileMove : public PrefixTest {
 protected:
  void Make(const std::string& rest) {
    fs::create_directories(C(rest).parent_path());
    std::ofstream(C(rest)) << rest;
  }
};

TEST_F(FileMove, RemoveDirectoryTakesEmptyFoldersOnly) {
  Make("full/file.txt");
  fs::create_directories(C("empty"));
  const struct {
    const char16_t* path;
    BOOL ok;
    DWORD error;
  } cases[] = {
      {u"C:\\full", FALSE, ERROR_DIR_NOT_EMPTY},
      {u"C:\\full\\file.txt", FALSE, ERROR_DIRECTORY},
      {u"C:\\missing", FALSE, ERROR_FILE_NOT_FOUND},
      {u"C:\\missing\\deeper", FALSE, ERROR_PATH_NOT_FOUND},
      {u"C:\\EMPTY", TRUE, ERROR_SUCCESS},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(RemoveDirectoryW(c.path), c.ok) << c.error;
    EXPECT_EQ(Error(), c.error) << c.error;
  }
  EXPECT_FALSE(fs::exists(C("empty")));
  EXPECT_TRUE(fs::exists(C("full/file.txt")));
}

TEST_F(FileMove, MoveReplacesOnlyWhenAskedAndNeverAFolder) {
  Make("a.txt");
  Make("b.txt");
  fs::create_directories(C("dir"));
  EXPECT_FALSE(MoveFileExW(u"C:\\a.txt", u"C:\\b.txt", 0));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(MoveFileExW(u"C:\\a.txt", u"C:\\dir", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(MoveFileExW(u"C:\\a.txt", nullptr, 0));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(MoveFileExW(u"C:\\a.txt", u"C:\\b.txt", MOVEFILE_REPLACE_EXISTING));
  EXPECT_FALSE(fs::exists(C("a.txt")));
  std::string text;
  std::getline(std::ifstream(C("b.txt")), text);
  EXPECT_EQ(text, "a.txt");
}

TEST_F(FileMove, MovesForTheNextStartAreRecordedInOrderAsWindowsKeepsThem) {
  Make("self.exe");
  ASSERT_TRUE(MoveFileExW(u"C:\\self.exe", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  ASSERT_TRUE(MoveFileExW(u"C:\\dir", u"C:\\new", MOVEFILE_DELAY_UNTIL_REBOOT));
  EXPECT_TRUE(fs::exists(C("self.exe")));  // nothing happens before then
  HKEY key = nullptr;
  ASSERT_EQ(
      RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SYSTEM\\CurrentControlSet\\Control\\Session Manager", 0,
                    KEY_READ, &key),
      ERROR_SUCCESS);
  char16_t data[256] = {};
  DWORD type = 0, bytes = sizeof data;
  ASSERT_EQ(RegQueryValueExW(key, u"PendingFileRenameOperations", nullptr, &type,
                             reinterpret_cast<BYTE*>(data), &bytes),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
  static const char16_t kPairs[] = u"\\??\\C:\\self.exe\0\0\\??\\C:\\dir\0\\??\\C:\\new\0";
  const std::u16string expected(kPairs, std::size(kPairs));  // with the closing empty string
  EXPECT_EQ(std::u16string(data, bytes / sizeof(char16_t)), expected);
}

TEST(UiLanguage, ThreadsStartWithTheUsersAndKeepTheirOwn) {
  setenv("LC_ALL", "zh_CN.UTF-8", 1);
  EXPECT_EQ(GetThreadUILanguage(), MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  setenv("LC_ALL", "C.UTF-8", 1);
  EXPECT_EQ(PRIMARYLANGID(GetThreadUILanguage()), LANG_ENGLISH);
  EXPECT_EQ(SetThreadUILanguage(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)),
            MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  LANGID other = 0;
  std::thread([&] { other = GetThreadUILanguage(); }).join();
  EXPECT_EQ(PRIMARYLANGID(other), LANG_ENGLISH);
  SetThreadUILanguage(0);
  EXPECT_EQ(PRIMARYLANGID(GetThreadUILanguage()), LANG_ENGLISH);
  unsetenv("LC_ALL");
}

}  // namespace
