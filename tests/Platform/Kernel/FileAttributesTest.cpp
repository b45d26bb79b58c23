#include <sys/stat.h>
#include <sys/xattr.h>

#include "KernelTestUtil.h"
#include "support/ScratchMount.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace KernelTest;

namespace {

class FileAttributes : public PrefixTest {
 protected:
  // Creates a file through CreateFileW with the given attributes and closes it.
  void Create(const std::u16string& path, DWORD attributes) {
    HANDLE h = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS, attributes);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
};

TEST_F(FileAttributes, PlainFilesAndFoldersReportArchiveAndDirectory) {
  TestSupport::WriteFile(C("plain.txt"), "x");
  EXPECT_EQ(GetFileAttributesW(Win(C("plain.txt")).c_str()), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(GetFileAttributesW(u"C:\\"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesW(u"C:\\nothing"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesW(u"C:\\no\\thing"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesW(nullptr), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileAttributes, HiddenIsKeptOnDiskInTheExtendedAttribute) {
  const std::u16string path = Win(C("KestroPlayCrate.7z"));
  Create(path, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(GetFileAttributesW(path.c_str()), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  char value[32] = {};
  ssize_t n = getxattr(C("KestroPlayCrate.7z").c_str(), "user.DOSATTRIB", value, sizeof value);
  ASSERT_GT(n, 0);
  EXPECT_EQ(std::string(value, static_cast<size_t>(n)), "0x22");
  EXPECT_FALSE(fs::exists(C(".skinui-attributes")));

  // Cleared again, nothing is left behind.
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetFileAttributesW(path.c_str()), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_LT(getxattr(C("KestroPlayCrate.7z").c_str(), "user.DOSATTRIB", value, sizeof value), 0);
}

TEST_F(FileAttributes, SetAttributesCoversReadOnlyNormalAndFolders) {
  TestSupport::WriteFile(C("f"), "x");
  const std::u16string f = Win(C("f"));
  ASSERT_TRUE(SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributesW(f.c_str()), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  struct stat st;
  ASSERT_EQ(0, stat(C("f").c_str(), &st));
  EXPECT_EQ(st.st_mode & 0222, 0u);
  EXPECT_FALSE(DeleteFileW(f.c_str()));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  ASSERT_TRUE(SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributesW(f.c_str()), FILE_ATTRIBUTE_NORMAL);
  ASSERT_EQ(0, stat(C("f").c_str(), &st));
  EXPECT_NE(st.st_mode & S_IWUSR, 0u);

  fs::create_directories(C("d"));
  ASSERT_TRUE(SetFileAttributesW(Win(C("d")).c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributesW(Win(C("d")).c_str()),
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(SetFileAttributesW(u"C:\\missing", FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileAttributes, WithoutExtendedAttributesAFolderListKeepsThem) {
  // ramfs has no user extended attributes.
  TestSupport::ScratchMount ram(C("ram"), "ramfs");
  if (!ram.Mounted()) GTEST_SKIP() << ram.Error();
  const std::u16string a = Win(C("ram/a.7z")), b = Win(C("ram/b name.bin"));
  Create(a, FILE_ATTRIBUTE_HIDDEN);
  Create(b, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(GetFileAttributesW(a.c_str()), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(GetFileAttributesW(b.c_str()),
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_TRUE(fs::exists(C("ram/.skinui-attributes")));
  // Deleting a file drops its line; the last one removes the list.
  EXPECT_TRUE(DeleteFileW(a.c_str()));
  Create(a, FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(GetFileAttributesW(a.c_str()), FILE_ATTRIBUTE_ARCHIVE);
  ASSERT_TRUE(SetFileAttributesW(b.c_str(), FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_FALSE(fs::exists(C("ram/.skinui-attributes")));
}

}  // namespace
