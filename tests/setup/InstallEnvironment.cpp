#include "InstallEnvironment.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Kernel/Prefix.h"
#include "Platform/Kernel/Resources.h"
#include "Platform/Shell/ShellVerbLog.h"
#include "Platform/Text/Utf.h"
#include "support/SevenZip.h"
#include "support/TempDir.h"

namespace {

std::u16string SpecialFolder(int csidl) {
  PIDLIST_ABSOLUTE items = nullptr;
  WCHAR path[MAX_PATH] = {};
  EXPECT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &items)));
  EXPECT_TRUE(SHGetPathFromIDListW(items, path));
  CoTaskMemFree(items);
  return path;
}

struct LinkedBytes {
  const void* data = nullptr;
  DWORD size = 0;
};

// The payload the build linked into this program, found before any test replaced it.
const LinkedBytes& LinkedPayload() {
  static const LinkedBytes linked = [] {
    LinkedBytes bytes;
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(106), u"DATA");
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    bytes.data = loaded ? LockResource(loaded) : nullptr;
    bytes.size = resource ? SizeofResource(nullptr, resource) : 0;
    return bytes;
  }();
  return linked;
}

}  // namespace

void UseShippedPayload() {
  const LinkedBytes& linked = LinkedPayload();
  ASSERT_NE(linked.data, nullptr) << "the payload is not linked into this program as DATA 106";
  ASSERT_TRUE(Platform::RegisterStaticResource(GetModuleHandleW(nullptr), u"DATA",
                                               MAKEINTRESOURCEW(106), linked.data, linked.size));
}

void UsePayload(const std::string& bytes) {
  LinkedPayload();
  ASSERT_TRUE(Platform::RegisterResource(GetModuleHandleW(nullptr), u"DATA", MAKEINTRESOURCEW(106),
                                         bytes.data(), bytes.size()));
}

void SetWindowsVersion(DWORD platform, DWORD major, DWORD minor) {
  const char* family = platform == VER_PLATFORM_WIN32_NT ? "nt" : platform == 1 ? "9x" : "win32s";
  std::ofstream(std::filesystem::path(Platform::PrefixDir()) / "winver")
      << major << '.' << minor << ' ' << family << '\n';
}

std::vector<std::u16string> ShellVerbs() {
  std::vector<std::u16string> verbs;
  std::istringstream log(TestSupport::ReadFile(Platform::ShellVerbLogPath()));
  std::string line;
  while (std::getline(log, line)) {
    size_t tab = line.find('\t');
    if (tab != std::string::npos) line[tab] = ' ';
    verbs.push_back(Platform::Utf8ToUtf16(line));
  }
  return verbs;
}

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
