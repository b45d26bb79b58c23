#pragma once
// The product's shortcuts ("Halvane.lnk") and taskbar pins. Every failure only means that one
// shortcut or pin is missing; nothing is reported.

#include "Platform/Win32.h"

// Each takes the launcher's full path; the install directory is its folder.
void CreateDesktopShortcut(LPCWSTR launcherPath);      // all users' desktop
void CreateStartMenuShortcut(LPCWSTR launcherPath);    // programs\Halvane\Halvane.lnk
void PinToTaskbar(LPCWSTR launcherPath);               // hidden install-dir shortcut, pinned
void CreateQuickLaunchShortcut(LPCWSTR launcherPath);  // the user's Quick Launch folder

// Unpins the shortcut that PinToTaskbar left in an earlier install directory.
void UnpinEarlierInstall(LPCWSTR earlierInstallDir);
