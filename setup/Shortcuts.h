#pragma once
// The product's shortcut files and taskbar pins.

#include "Platform/Win32.h"

// The one routine that writes the product's shortcut files.

// Saves folder\Halvane.lnk pointing at `target`, starting in `workingDir` (also its relative
// path), described "Halvane", shown normally. A folder ending with a backslash gives a doubled
// one before the name, which the platform accepts. True when the file was saved.
bool CreateShellShortcut(LPCWSTR workingDir, LPCWSTR target, LPCWSTR folder);

// The product's shortcuts ("Halvane.lnk") and taskbar pins. Every failure only means that one
// shortcut or pin is missing; nothing is reported.

// Each takes the launcher's full path; the install directory is its folder.
void CreateDesktopShortcut(LPCWSTR launcherPath);      // all users' desktop
void CreateStartMenuShortcut(LPCWSTR launcherPath);    // programs\Halvane\Halvane.lnk
void PinToTaskbar(LPCWSTR launcherPath);               // hidden install-dir shortcut, pinned
void CreateQuickLaunchShortcut(LPCWSTR launcherPath);  // the user's Quick Launch folder

// Unpins the shortcut that PinToTaskbar left in an earlier install directory.
void UnpinEarlierInstall(LPCWSTR earlierInstallDir);
