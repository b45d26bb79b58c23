#pragma once
// Shared helpers of the kernel tests: a fresh prefix per test and short ways to make files.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Win32.h"
#include "support/TestPrefix.h"

namespace KernelTest {

class PrefixTest : public ::testing::Test {
 protected:
  void SetUp() override { Platform::PrefixDir(); }
  // The POSIX path of C:\<rest> and the Windows path of a POSIX path.
  std::filesystem::path C(const std::string& rest) const { return prefix.DriveC() / rest; }
  static std::u16string Win(const std::filesystem::path& posix) {
    return Platform::PosixToWindowsPath(posix.string());
  }
  TestSupport::TestPrefix prefix;
};

inline HANDLE Open(const std::u16string& path, DWORD access, DWORD share, DWORD disposition,
                   DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  return CreateFileW(path.c_str(), access, share, nullptr, disposition, attributes, nullptr);
}

inline bool WriteAll(HANDLE h, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

inline DWORD Error() { return GetLastError(); }

constexpr DWORD kAllShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kReadWrite = GENERIC_READ | GENERIC_WRITE;

}  // namespace KernelTest
