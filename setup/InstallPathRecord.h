#pragma once
// The per-user record of the last install directory (HKCU\Software\Halvane, "InstallPath").
// It fills in the directory on the next run and lets a later install find the earlier one.

#include "Platform/Win32.h"

// Reads the value into a zeroed buffer of MAX_PATH characters (at most 259 are read, so the
// last one always terminates). Creates the key when missing. False when the value is missing,
// empty, too long or unreadable.
bool ReadInstallPath(WCHAR* buffer);

// Stores the directory as REG_SZ without a terminating null.
bool WriteInstallPath(LPCWSTR path);
