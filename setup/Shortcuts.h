#pragma once
// The product's shortcut files and taskbar pins.

#include "Platform/Win32.h"

class CreationListener;

// The one routine that writes the product's shortcut files.

// Saves folder\Halvane.lnk pointing at `target`, starting in `workingDir` (also its relative
// path), described "Halvane", shown normally. A folder ending with a backslash gives a doubled
// one before the name, which the platform accepts. True when the file was saved; the saved
// file is told to `listener` when given.
bool CreateShellShortcut(LPCWSTR workingDir, LPCWSTR target, LPCWSTR folder,
                         CreationListener* listener = nullptr);

// The product's shortcuts ("Halvane.lnk") and taskbar pins. Every failure only means that one
// shortcut or pin is missing; nothing is reported.

// Each takes the launcher's full path; the install directory is its folder. Each folder, link
// and pin they create is told to `listener` when given.
void CreateDesktopShortcut(LPCWSTR launcherPath, CreationListener* listener = nullptr);
void CreateStartMenuShortcut(LPCWSTR launcherPath, CreationListener* listener = nullptr);
void PinToTaskbar(LPCWSTR launcherPath, CreationListener* listener = nullptr);
void CreateQuickLaunchShortcut(LPCWSTR launcherPath, CreationListener* listener = nullptr);

// Unpins the shortcut that PinToTaskbar left in an earlier install directory.
void UnpinEarlierInstall(LPCWSTR earlierInstallDir);
