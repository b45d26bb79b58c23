#include "setup/WindowsVersion.h"

#include "Platform/Win32.h"
#include "setup/VersionClass.h"

int ClassifyWindowsVersion() {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExW(&info)) return 0;
  return ClassifyVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}
