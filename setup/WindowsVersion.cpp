#include "setup/WindowsVersion.h"

#include <initializer_list>

#include "Platform/Win32.h"

namespace {

// Platform ids of the version query (VER_PLATFORM_WIN32_WINDOWS and VER_PLATFORM_WIN32_NT).
constexpr unsigned kPlatform9x = 1;
constexpr unsigned kPlatformNt = 2;

// Each rule maps a minor version to a code; 0 means no match.
int Rule5(unsigned minor) { return minor == 0 ? 5 : minor == 1 ? 6 : minor == 2 ? 7 : 0; }
int Rule6(unsigned minor) { return minor == 0 ? 8 : minor == 1 ? 9 : minor == 2 ? 10 : 0; }
int Rule9x(unsigned minor) { return minor == 0 ? 1 : minor == 10 ? 2 : minor == 90 ? 3 : 0; }

int FirstMatch(std::initializer_list<int> codes) {
  for (int code : codes)
    if (code != 0) return code;
  return 0;
}

}  // namespace

int ClassifyVersion(unsigned platformId, unsigned major, unsigned minor) {
  if (platformId == kPlatform9x) return Rule9x(minor);
  if (platformId != kPlatformNt) return 0;
  if (major == 4 && minor == 0) return 4;
  if (major == 4 || major == 5) return FirstMatch({Rule5(minor), Rule6(minor), Rule9x(minor)});
  if (major == 6) return FirstMatch({Rule6(minor), Rule9x(minor)});
  return Rule9x(minor);
}

int ClassifyWindowsVersion() {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExW(&info)) return 0;
  return ClassifyVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}
