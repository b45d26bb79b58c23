#include "setup/ShellShortcuts.h"

#include "setup/InstallNames.h"
#include "setup/ShellLinkFile.h"

namespace {

// The launcher's folder with a trailing backslash.
void InstallDirOf(LPCWSTR launcherPath, WCHAR* out) {
  lstrcpynW(out, launcherPath, MAX_PATH);
  PathRemoveFileSpecW(out);
  PathAddBackslashW(out);
}

bool SpecialFolderPath(int csidl, WCHAR* out) {
  PIDLIST_ABSOLUTE items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return false;
  BOOL ok = SHGetPathFromIDListW(items, out);
  CoTaskMemFree(items);
  return ok != FALSE;
}

void EnsureFolder(LPCWSTR folder) {
  if (!PathFileExistsW(folder)) SHCreateDirectory(nullptr, folder);
}

}  // namespace

void CreateDesktopShortcut(LPCWSTR launcherPath) {
  WCHAR installDir[MAX_PATH];
  WCHAR desktop[MAX_PATH];
  InstallDirOf(launcherPath, installDir);
  CoInitialize(nullptr);
  if (SpecialFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY, desktop))
    CreateShellShortcut(installDir, launcherPath, desktop);
  CoUninitialize();
}

void CreateStartMenuShortcut(LPCWSTR launcherPath) {
  WCHAR installDir[MAX_PATH];
  WCHAR folder[MAX_PATH];
  InstallDirOf(launcherPath, installDir);
  CoInitialize(nullptr);
  if (SpecialFolderPath(CSIDL_PROGRAMS, folder)) {
    PathAddBackslashW(folder);
    lstrcpynW(folder + lstrlenW(folder), kProductName, MAX_PATH - lstrlenW(folder));
    EnsureFolder(folder);
    CreateShellShortcut(installDir, launcherPath, folder);
  }
  CoUninitialize();
}

void PinToTaskbar(LPCWSTR launcherPath) {
  WCHAR installDir[MAX_PATH];
  WCHAR target[MAX_PATH];
  InstallDirOf(launcherPath, installDir);
  wnsprintfW(target, MAX_PATH, u"%s%s", installDir, kLauncherName);
  if (!CreateShellShortcut(installDir, target, installDir)) return;
  WCHAR shortcut[MAX_PATH];
  wnsprintfW(shortcut, MAX_PATH, u"%s\\%s", installDir, kShortcutName);
  SetFileAttributesW(shortcut, FILE_ATTRIBUTE_HIDDEN);
  ShellExecuteW(nullptr, u"TaskbarPin", shortcut, nullptr, nullptr, SW_SHOW);
  ShellExecuteW(nullptr, u"StartPin", shortcut, nullptr, nullptr, SW_SHOW);
}

void CreateQuickLaunchShortcut(LPCWSTR launcherPath) {
  WCHAR installDir[MAX_PATH];
  WCHAR appData[MAX_PATH];
  InstallDirOf(launcherPath, installDir);
  CoInitialize(nullptr);
  if (SpecialFolderPath(CSIDL_APPDATA, appData)) {
    WCHAR folder[MAX_PATH];
    wnsprintfW(folder, MAX_PATH, u"%s\\Microsoft\\Internet Explorer\\Quick Launch", appData);
    EnsureFolder(folder);
    CreateShellShortcut(installDir, launcherPath, folder);
  }
  CoUninitialize();
}

void UnpinEarlierInstall(LPCWSTR earlierInstallDir) {
  WCHAR shortcut[MAX_PATH];
  wnsprintfW(shortcut, MAX_PATH, u"%s%s", earlierInstallDir, kShortcutName);
  ShellExecuteW(nullptr, u"taskbarunpin", shortcut, nullptr, nullptr, SW_HIDE);
}
