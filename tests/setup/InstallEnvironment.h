#pragma once
// What the install tests set up and read back around an install: the payload resource, the
// Windows version, registry values, special folders, shortcut files and shell verbs.

#include <filesystem>
#include <string>
#include <vector>

#include "LinkProbe.h"
#include "Platform/Win32.h"
#include "RegistryProbe.h"

// The embedded payload as the installer finds it ("DATA" 106 of this program).
void UseShippedPayload();
void UsePayload(const std::string& bytes);

// What GetVersionExW reports in the current prefix.
void SetWindowsVersion(DWORD platform, DWORD major, DWORD minor);

// Windows paths of the special folders, without trailing backslash.
std::u16string CommonDesktop();
std::u16string Programs();
std::u16string AppData();

// "verb file" for every shell verb run in this prefix, in order.
std::vector<std::u16string> ShellVerbs();

namespace TestSupport {
// The POSIX folder behind GetTempPathW.
std::filesystem::path TempFolder();
// A fresh folder on a RAM disk (tmpfs), for a drive that must not count as fixed.
std::filesystem::path RamDiskFolder();
}  // namespace TestSupport
