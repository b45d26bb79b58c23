#include <cstdlib>
#include <fstream>

#include "KernelTestUtil.h"
#include "Platform/DebugOutput.h"

using namespace KernelTest;

namespace {

class Version : public PrefixTest {
 protected:
  void TearDown() override {
    unsetenv("SKINUI_WINVER");
    unsetenv("SKINUI_WOW64");
  }
  void PrefixFile(const char* name, const char* text) {
    std::ofstream(prefix.Path() / name) << text << "\n";
  }
  static OSVERSIONINFOW Query() {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    EXPECT_TRUE(GetVersionExW(&info));
    return info;
  }
  static BOOL Wow64() {
    BOOL wow64 = 7;
    EXPECT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    return wow64;
  }
};

TEST_F(Version, RecordsHaveTheirWindowsSizes) {
  EXPECT_EQ(sizeof(OSVERSIONINFOW), 276u);
  EXPECT_EQ(sizeof(OSVERSIONINFOEXW), 284u);
}

TEST_F(Version, WindowsSevenServicePackOneByDefault) {
  OSVERSIONINFOW info = Query();
  EXPECT_EQ(info.dwMajorVersion, 6u);
  EXPECT_EQ(info.dwMinorVersion, 1u);
  EXPECT_EQ(info.dwBuildNumber, 7601u);
  EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(std::u16string(info.szCSDVersion), u"Service Pack 1");

  OSVERSIONINFOEXW ex = {};
  ex.dwOSVersionInfoSize = sizeof ex;
  ASSERT_TRUE(GetVersionExW(reinterpret_cast<LPOSVERSIONINFOW>(&ex)));
  EXPECT_EQ(ex.wServicePackMajor, 1);
  EXPECT_EQ(ex.wProductType, VER_NT_WORKSTATION);
}

TEST_F(Version, OtherRecordSizesAreRefused) {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = 148;  // the ANSI record
  EXPECT_FALSE(GetVersionExW(&info));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(info.dwMajorVersion, 0u);
  EXPECT_FALSE(GetVersionExW(nullptr));
}

TEST_F(Version, ThePrefixAndTheEnvironmentChooseAnotherVersion) {
  PrefixFile("winver", "5.1.2600");
  OSVERSIONINFOW info = Query();
  EXPECT_EQ(info.dwMajorVersion, 5u);
  EXPECT_EQ(info.dwMinorVersion, 1u);
  EXPECT_EQ(info.dwBuildNumber, 2600u);
  EXPECT_EQ(info.szCSDVersion[0], 0);

  setenv("SKINUI_WINVER", "4.10 9x", 1);  // the variable wins over the file
  info = Query();
  EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_WINDOWS);
  EXPECT_EQ(info.dwMajorVersion, 4u);
  EXPECT_EQ(info.dwMinorVersion, 10u);
}

TEST_F(Version, UnreadableSettingsAreReportedAndIgnored) {
  for (const char* bad : {"six", "6", "6.1.2.3", "6.x", "6.1 os2", "-6.1", "6.1 nt extra"}) {
    Platform::DebugOutputCapture capture;
    setenv("SKINUI_WINVER", bad, 1);
    OSVERSIONINFOW info = Query();
    EXPECT_EQ(info.dwMajorVersion, 6u) << bad;
    EXPECT_EQ(info.dwMinorVersion, 1u) << bad;
    EXPECT_NE(capture.Text().find(u"GetVersionExW"), std::u16string::npos) << bad;
  }
}

TEST_F(Version, Wow64TellsTheTruthUnlessTold) {
  if (sizeof(void*) == 8) {
    EXPECT_FALSE(Wow64());  // a 64-bit program is never under WOW64
  }
  PrefixFile("wow64", "1");
  EXPECT_TRUE(Wow64());
  setenv("SKINUI_WOW64", "0", 1);
  EXPECT_FALSE(Wow64());
  BOOL wow64;
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  EXPECT_FALSE(IsWow64Process(event, &wow64));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  CloseHandle(event);
  EXPECT_FALSE(IsWow64Process(GetCurrentProcess(), nullptr));
}

}  // namespace
