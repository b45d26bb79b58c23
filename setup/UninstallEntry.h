#pragma once
// The machine-wide uninstall entry that lists the product among the installed programs.

#include "Platform/Win32.h"

// Writes HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Halvane for the product whose
// launcher is at `launcherPath`: DisplayName, DisplayVersion, Publisher, UninstallString,
// DisplayIcon and InstallPath, in this order, as REG_SZ without terminators. True only when
// all six were set.
bool RegisterUninstallEntry(LPCWSTR launcherPath);

// KEY_ALL_ACCESS, plus KEY_WOW64_64KEY when this 32-bit process runs on a 64-bit system, so the
// entry lands in the 64-bit view of the registry.
REGSAM UninstallKeyAccess();
