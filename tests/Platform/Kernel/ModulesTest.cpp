#include "KernelTestUtil.h"
#include "Platform/Kernel/Modules.h"
#include "Platform/Text/Utf.h"

using namespace KernelTest;

namespace {

TEST(Modules, LibrariesAreFoundByAnySpellingOfTheirName) {
  HMODULE kernel = GetModuleHandleW(u"kernel32");
  ASSERT_NE(kernel, nullptr);
  for (const char16_t* name :
       {u"KERNEL32.DLL", u"Kernel32.dll", u"kernel32.dll", u"C:\\Windows\\System32\\kernel32.dll"})
    EXPECT_EQ(GetModuleHandleW(name), kernel) << Platform::Utf16ToUtf8(name);
  HMODULE user = GetModuleHandleW(u"User32.dll");
  ASSERT_NE(user, nullptr);
  EXPECT_NE(user, kernel);
  EXPECT_NE(GetModuleHandleW(u"msimg32.dll"), nullptr);
  EXPECT_EQ(LoadLibraryW(u"USER32"), user);
  EXPECT_TRUE(FreeLibrary(user));
  EXPECT_EQ(GetModuleHandleW(u"User32.dll"), user);  // libraries of the program stay loaded
  EXPECT_NE(GetModuleHandleW(nullptr), kernel);
  EXPECT_EQ(GetModuleHandleW(nullptr), Platform::ProgramModule());
}

TEST(Modules, UnknownLibrariesAreNotFound) {
  for (const char16_t* name : {u"msftedit.dll", u"kernel", u"kernel32.exe", u"32.dll", u""}) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(name), nullptr) << Platform::Utf16ToUtf8(name);
    EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(GetModuleHandleW(name), nullptr);
  }
  EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(&Error)));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(Modules, SharedObjectsOfTheSystemAreLoadedCountedAndReleased) {
  HMODULE zlib = LoadLibraryW(u"libz.so.1");
  ASSERT_NE(zlib, nullptr);
  EXPECT_EQ(LoadLibraryW(u"libz.so.1"), zlib);
  using Version = const char* (*)();
  auto version =
      reinterpret_cast<Version>(reinterpret_cast<void (*)()>(GetProcAddress(zlib, "zlibVersion")));
  ASSERT_NE(version, nullptr);
  EXPECT_EQ('1', version()[0]);
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(zlib, "no_such_function"), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddress(zlib, MAKEINTRESOURCEA(1)), nullptr);
  EXPECT_TRUE(FreeLibrary(zlib));
  EXPECT_TRUE(FreeLibrary(zlib));
  EXPECT_FALSE(FreeLibrary(zlib));  // both loads released
  EXPECT_EQ(LoadLibraryW(u"libno-such-library.so.7"), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(Modules, TheProgramIsFoundByItsOwnFileName) {
  WCHAR path[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
  std::u16string self(path);
  EXPECT_EQ(GetModuleHandleW(self.substr(self.rfind(u'\\') + 1).c_str()),
            Platform::ProgramModule());
  WCHAR library[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(GetModuleHandleW(u"shell32"), library, MAX_PATH), 0u);
  EXPECT_EQ(std::u16string(library), u"C:\\windows\\system32\\shell32.dll");
}

typedef BOOL(WINAPI* IsWow64ProcessFn)(HANDLE, PBOOL);
typedef int(WINAPI* SHCreateDirectoryFn)(HWND, PCWSTR);

TEST(Modules, FunctionsAreFoundInTheLibraryThatExportsThem) {
  auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(
      GetProcAddress(GetModuleHandleW(u"kernel32"), "IsWow64Process"));
  ASSERT_NE(isWow64, nullptr);
  BOOL wow64 = 7;
  EXPECT_TRUE(isWow64(GetCurrentProcess(), &wow64));
  EXPECT_EQ(wow64, FALSE);  // this build is 64-bit
  EXPECT_EQ(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(u"shlwapi"), "PathCanonicalizeW")),
      reinterpret_cast<void*>(&PathCanonicalizeW));
  // By ordinal, as the shell's directory creation is taken.
  auto create = reinterpret_cast<SHCreateDirectoryFn>(
      GetProcAddress(GetModuleHandleW(u"shell32"), MAKEINTRESOURCEA(165)));
  EXPECT_EQ(reinterpret_cast<void*>(create), reinterpret_cast<void*>(&SHCreateDirectory));
}

TEST(Modules, MissingFunctionsAndModulesSayWhich) {
  HMODULE kernel = GetModuleHandleW(u"kernel32");
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(kernel, "NoSuchFunction"), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  // Names are exact, and a function lives in one library only.
  EXPECT_EQ(GetProcAddress(kernel, "iswow64process"), nullptr);
  EXPECT_EQ(GetProcAddress(GetModuleHandleW(u"user32"), "IsWow64Process"), nullptr);
  EXPECT_EQ(GetProcAddress(kernel, MAKEINTRESOURCEA(165)), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddress(GetModuleHandleW(nullptr), "CreateFileW"), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(&Error), "CreateFileW"), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace
