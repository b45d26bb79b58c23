#pragma once
// The Windows version and WOW64 state this layer reports. By default NT 6.1 (Windows 7 SP1,
// build 7601) and the truth about WOW64 for this build. Both can be set per prefix, so that tests
// can take every branch that depends on them:
//
//   SKINUI_WINVER / <prefix>/winver   "<major>.<minor>[.<build>] [nt|9x|win32s]"
//                                      e.g. "5.1", "6.2.9200", "4.10 9x"
//   SKINUI_WOW64  / <prefix>/wow64    "1" or "0"
//
// The environment variable wins over the file; text that does not parse is ignored (with a
// debug-output line) and the default applies.

#include <string>

#include "Platform/Win32Types.h"

namespace Platform {

struct WindowsVersion {
  DWORD major = 6;
  DWORD minor = 1;
  DWORD build = 7601;
  DWORD platform = 2;  // VER_PLATFORM_WIN32_NT
};

// Parses the text form above.
bool ParseWindowsVersion(const std::string& text, WindowsVersion* version);

WindowsVersion ReportedWindowsVersion();

// Whether this process runs as a 32-bit program on a 64-bit system.
bool ReportedWow64();

}  // namespace Platform
