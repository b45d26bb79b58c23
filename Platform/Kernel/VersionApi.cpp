// GetVersionExW and IsWow64Process.
#include <string>

#include "Platform/Kernel/ProcessObject.h"
#include "Platform/Kernel/SystemIdentity.h"
#include "Platform/Win32.h"

BOOL WINAPI GetVersionExW(LPOSVERSIONINFOW lpVersionInformation) {
  if (!lpVersionInformation) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const DWORD size = lpVersionInformation->dwOSVersionInfoSize;
  if (size != sizeof(OSVERSIONINFOW) && size != sizeof(OSVERSIONINFOEXW)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  const Platform::WindowsVersion v = Platform::ReportedWindowsVersion();
  lpVersionInformation->dwMajorVersion = v.major;
  lpVersionInformation->dwMinorVersion = v.minor;
  lpVersionInformation->dwBuildNumber = v.build;
  lpVersionInformation->dwPlatformId = v.platform;
  // Windows 7 as shipped to most users is Service Pack 1.
  const bool sp1 =
      v.platform == VER_PLATFORM_WIN32_NT && v.major == 6 && v.minor == 1 && v.build == 7601;
  const std::u16string csd = sp1 ? u"Service Pack 1" : u"";
  std::fill(std::begin(lpVersionInformation->szCSDVersion),
            std::end(lpVersionInformation->szCSDVersion), u'\0');
  csd.copy(lpVersionInformation->szCSDVersion, csd.size());
  if (size == sizeof(OSVERSIONINFOEXW)) {
    auto* ex = reinterpret_cast<LPOSVERSIONINFOEXW>(lpVersionInformation);
    ex->wServicePackMajor = sp1 ? 1 : 0;
    ex->wServicePackMinor = 0;
    ex->wSuiteMask = 0;
    ex->wProductType = VER_NT_WORKSTATION;
    ex->wReserved = 0;
  }
  return TRUE;
}

BOOL WINAPI IsWow64Process(HANDLE hProcess, PBOOL Wow64Process) {
  if (!Wow64Process) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // Our children are programs of this system too; they are judged like this one.
  if (hProcess != GetCurrentProcess() &&
      !Platform::LookupHandleAs<Platform::ProcessObject>(hProcess))
    return FALSE;
  *Wow64Process = Platform::ReportedWow64() ? TRUE : FALSE;
  return TRUE;
}
