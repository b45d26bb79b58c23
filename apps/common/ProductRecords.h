#pragma once
// What the payload's programs read from, and the uninstaller removes from, the records an
// install leaves: the machine-wide uninstall entry and the per-user install directory.

#include "Platform/Win32.h"

// The folder of the running program with a trailing backslash, into `out` of MAX_PATH
// characters. False when the module path cannot be had.
bool OwnFolder(WCHAR* out);

// Reads one text value of the uninstall entry into a buffer of `chars` characters, always
// terminated (values are stored without terminator). False when the entry or the value is
// missing, is no text or does not fit.
bool ReadUninstallValue(LPCWSTR name, WCHAR* buffer, DWORD chars);

// Removes the uninstall entry when it describes the install in `installDir` (its InstallPath,
// compared without regard to case), and the per-user InstallPath value when it names that
// folder, with its key once nothing else is left in it. Records of an install elsewhere stay.
// True when nothing of this install is left in the registry.
bool RemoveUninstallEntry(LPCWSTR installDir);
bool RemoveInstallPathRecord(LPCWSTR installDir);
