#include "InstallEnvironment.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <sstream>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Text/Utf.h"
#include "support/SevenZip.h"

namespace {

std::u16string SpecialFolder(int csidl) {
  PIDLIST_ABSOLUTE items = nullptr;
  WCHAR path[MAX_PATH] = {};
  EXPECT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &items)));
  EXPECT_TRUE(SHGetPathFromIDListW(items, path));
  CoTaskMemFree(items);
  return path;
}

}  // namespace

std::u16string CommonDesktop() { return SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY); }
std::u16string Programs() { return SpecialFolder(CSIDL_PROGRAMS); }
std::u16string AppData() { return SpecialFolder(CSIDL_APPDATA); }

namespace TestSupport {

std::filesystem::path TempFolder() {
  WCHAR temp[MAX_PATH] = {};
  EXPECT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  std::string posix;
  EXPECT_TRUE(Platform::WindowsToPosixPath(temp, &posix));
  return posix;
}

std::filesystem::path RamDiskFolder() {
  std::string pattern = "/dev/shm/skinui-ramdisk-XXXXXX";
  EXPECT_NE(mkdtemp(pattern.data()), nullptr);
  return pattern;
}

}  // namespace TestSupport
