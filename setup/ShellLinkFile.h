#pragma once
// The one routine that writes the product's shortcut files.

#include "Platform/Win32.h"

// Saves folder\Halvane.lnk pointing at `target`, starting in `workingDir` (also its relative
// path), described "Halvane", shown normally. A folder ending with a backslash gives a doubled
// one before the name, which the platform accepts. True when the file was saved.
bool CreateShellShortcut(LPCWSTR workingDir, LPCWSTR target, LPCWSTR folder);
