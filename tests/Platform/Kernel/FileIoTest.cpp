#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "KernelTestUtil.h"
#include "support/ScratchMount.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace KernelTest;

namespace {

class FileIo : public PrefixTest {};

TEST_F(FileIo, ReadsWhatWasWrittenAndStopsAtTheEnd) {
  const std::u16string path = Win(C("data.bin"));
  HANDLE h = Open(path, kReadWrite, 0, CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  std::string payload(100000, '\0');
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<char>(i * 7);
  ASSERT_TRUE(WriteAll(h, payload));
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_BEGIN), 0u);
  std::string back(payload.size() + 10, '?');
  DWORD n = 0;
  ASSERT_TRUE(ReadFile(h, back.data(), static_cast<DWORD>(back.size()), &n, nullptr));
  EXPECT_EQ(n, payload.size());
  EXPECT_EQ(back.substr(0, n), payload);
  // At the end a read succeeds with nothing.
  ASSERT_TRUE(ReadFile(h, back.data(), 10, &n, nullptr));
  EXPECT_EQ(n, 0u);
  DWORD high = 99;
  EXPECT_EQ(GetFileSize(h, &high), payload.size());
  EXPECT_EQ(high, 0u);
  LARGE_INTEGER size;
  ASSERT_TRUE(GetFileSizeEx(h, &size));
  EXPECT_EQ(size.QuadPart, static_cast<LONGLONG>(payload.size()));
  CloseHandle(h);
}

TEST_F(FileIo, HandlesOnlyDoWhatTheyWereOpenedFor) {
  TestSupport::WriteFile(C("f"), "abc");
  HANDLE reader = Open(Win(C("f")), GENERIC_READ, kAllShare, OPEN_EXISTING);
  HANDLE writer = Open(Win(C("f")), GENERIC_WRITE, kAllShare, OPEN_EXISTING);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  char buf[3];
  DWORD n = 5;
  EXPECT_FALSE(WriteFile(reader, "x", 1, &n, nullptr));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(n, 0u);
  EXPECT_FALSE(ReadFile(writer, buf, 3, &n, nullptr));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(reader);
  CloseHandle(writer);
  EXPECT_EQ(TestSupport::ReadFile(C("f")), "abc");
}

TEST_F(FileIo, AppendOnlyAccessWritesAtTheEnd) {
  TestSupport::WriteFile(C("log"), "one\n");
  HANDLE h = Open(Win(C("log")), FILE_APPEND_DATA, kAllShare, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  SetFilePointer(h, 0, nullptr, FILE_BEGIN);
  EXPECT_TRUE(WriteAll(h, "two\n"));
  CloseHandle(h);
  EXPECT_EQ(TestSupport::ReadFile(C("log")), "one\ntwo\n");
}

TEST_F(FileIo, FilePointerMovesAndRefusesNegativePositions) {
  TestSupport::WriteFile(C("p"), "0123456789");
  HANDLE h = Open(Win(C("p")), GENERIC_READ, 0, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(SetFilePointer(h, -3, nullptr, FILE_END), 7u);
  char c;
  DWORD n;
  ASSERT_TRUE(ReadFile(h, &c, 1, &n, nullptr));
  EXPECT_EQ(c, '7');
  EXPECT_EQ(SetFilePointer(h, -2, nullptr, FILE_CURRENT), 6u);
  EXPECT_EQ(SetFilePointer(h, -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  LONG high = 1;  // 4 GiB + 2: beyond what a 32-bit position can say
  EXPECT_EQ(SetFilePointer(h, 2, &high, FILE_BEGIN), 2u);
  EXPECT_EQ(high, 1);
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  CloseHandle(h);
}

TEST_F(FileIo, OverlappedOffsetsReadAndWriteInPlace) {
  HANDLE h = Open(Win(C("o")), kReadWrite, 0, CREATE_ALWAYS);
  ASSERT_TRUE(WriteAll(h, "aaaaaaaaaa"));
  OVERLAPPED ov = {};
  ov.u.s.Offset = 4;
  DWORD n;
  ASSERT_TRUE(WriteFile(h, "XY", 2, &n, &ov));
  EXPECT_EQ(ov.InternalHigh, 2u);
  char buf[4] = {};
  ov.u.s.Offset = 3;
  ASSERT_TRUE(ReadFile(h, buf, 4, &n, &ov));
  EXPECT_EQ(std::string(buf, n), "aXYa");
  ov.u.s.Offset = 50;
  EXPECT_FALSE(ReadFile(h, buf, 4, &n, &ov));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_HANDLE_EOF));
  CloseHandle(h);
}

TEST_F(FileIo, AFullDiskIsReportedAsSuch) {
  TestSupport::ScratchMount small(C("small"), "tmpfs", "size=64k");
  if (!small.Mounted()) GTEST_SKIP() << small.Error();
  HANDLE h = Open(Win(C("small/big.bin")), GENERIC_WRITE, 0, CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  std::string big(256 * 1024, 'z');
  DWORD written = 0;
  EXPECT_FALSE(WriteFile(h, big.data(), static_cast<DWORD>(big.size()), &written, nullptr));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_LT(written, big.size());
  EXPECT_EQ(GetFileSize(h, nullptr), written);  // the count says what reached the disk
  CloseHandle(h);
}

TEST_F(FileIo, AReadOnlyFileSystemIsWriteProtected) {
  TestSupport::ScratchMount ro(C("ro"), "tmpfs", "size=64k");
  if (!ro.Mounted()) GTEST_SKIP() << ro.Error();
  ASSERT_EQ(0, mount(nullptr, C("ro").c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr));
  EXPECT_EQ(Open(Win(C("ro/x")), GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_WRITE_PROTECT));
}

TEST_F(FileIo, PermissionDeniedIsAccessDenied) {
  // Permissions bind only an unprivileged user: check from a child that gave up root.
  TestSupport::WriteFile(C("secret"), "s");
  fs::permissions(C("secret"), fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(prefix.Path().parent_path(), fs::perms::all, fs::perm_options::add);
  if (geteuid() != 0) GTEST_SKIP() << "needs root to switch to an unprivileged user";
  pid_t child = fork();
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
    HANDLE h = Open(Win(C("secret")), GENERIC_READ, kAllShare, OPEN_EXISTING);
    bool denied = h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED;
    _exit(denied ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
