#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Win32.h"
#include "Platform/Win32Ext.h"
#include "support/TempDir.h"
#include "support/TestPrefix.h"

namespace {

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat info;
  EXPECT_EQ(lstat(path.c_str(), &info), 0);
  return info.st_mode & 07777;
}

std::u16string Windows(const std::filesystem::path& path) {
  return Platform::PosixToWindowsPath(path.string());
}

TEST(ExecutePermission, AddsOnlyTheRequestedExecuteBits) {
  TestSupport::TestPrefix prefix;
  TestSupport::TempDir dir("exec");
  TestSupport::WriteFile(dir / "all", "#!/bin/sh\n");
  TestSupport::WriteFile(dir / "owner", "#!/bin/sh\n");
  chmod((dir / "all").c_str(), 0644);
  chmod((dir / "owner").c_str(), 0640);
  EXPECT_TRUE(Platform::AddExecutePermission(Windows(dir / "all").c_str(), 0111));
  EXPECT_TRUE(Platform::AddExecutePermission(Windows(dir / "owner").c_str(), 0100 | 0644));
  EXPECT_EQ(ModeOf(dir / "all"), 0755u);
  EXPECT_EQ(ModeOf(dir / "owner"), 0740u);
}

TEST(ExecutePermission, RefusesMissingFilesFoldersAndLinks) {
  TestSupport::TestPrefix prefix;
  TestSupport::TempDir dir("exec");
  TestSupport::WriteFile(dir / "target", "data");
  chmod((dir / "target").c_str(), 0644);
  ASSERT_EQ(symlink((dir / "target").c_str(), (dir / "link").c_str()), 0);
  std::filesystem::create_directory(dir / "folder");
  chmod((dir / "folder").c_str(), 0700);

  SetLastError(0);
  EXPECT_FALSE(Platform::AddExecutePermission(Windows(dir / "missing").c_str(), 0111));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(Platform::AddExecutePermission(Windows(dir / "link").c_str(), 0111));
  EXPECT_FALSE(Platform::AddExecutePermission(Windows(dir / "folder").c_str(), 0111));
  EXPECT_FALSE(Platform::AddExecutePermission(u"Q:\\no\\such\\drive", 0111));
  EXPECT_EQ(ModeOf(dir / "target"), 0644u);
}

}  // namespace
