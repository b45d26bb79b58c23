#pragma once
// What the install leaves in the registry: the install directory of the last run and the uninstall
// entry.

#include "Platform/Win32.h"

// The per-user record of the last install directory (HKCU\Software\Halvane, "InstallPath").
// It fills in the directory on the next run and lets a later install find the earlier one.

// Reads the value into a zeroed buffer of MAX_PATH characters (at most 259 are read, so the
// last one always terminates). Creates the key when missing. False when the value is missing,
// empty, too long or unreadable.
bool ReadInstallPath(WCHAR* buffer);

// Stores the directory as REG_SZ without a terminating null.
bool WriteInstallPath(LPCWSTR path);

// Whether the value exists at all (an empty one counts), without creating the key.
bool InstallPathRecorded();

// Removes the value (true when it is gone afterwards, also when it never was there).
bool ForgetInstallPath();

// The machine-wide uninstall entry that lists the product among the installed programs.

// Writes HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Halvane for the product whose
// launcher is at `launcherPath`: DisplayName, DisplayVersion, Publisher, UninstallString,
// DisplayIcon and InstallPath, in this order, as REG_SZ without terminators. True only when
// all six were set.
bool RegisterUninstallEntry(LPCWSTR launcherPath);

// KEY_ALL_ACCESS, plus KEY_WOW64_64KEY when this 32-bit process runs on a 64-bit system, so the
// entry lands in the 64-bit view of the registry.
REGSAM UninstallKeyAccess();
