#include "setup/Shortcuts.h"

#include <initializer_list>

#include "Platform/Win32Ext.h"
#include "setup/CreationListener.h"
#include "setup/ExtractionPaths.h"
#include "setup/InstallNames.h"

namespace {

bool SaveLink(IShellLinkW* link, IPersistFile* file, LPCWSTR workingDir, LPCWSTR target,
              LPCWSTR folder, CreationListener* listener) {
  if (target) link->SetPath(target);
  if (workingDir) {
    link->SetWorkingDirectory(workingDir);
    link->SetRelativePath(workingDir, 0);
  }
  link->SetDescription(kProductName);
  link->SetShowCmd(SW_SHOWNORMAL);
  WCHAR path[MAX_PATH];
  wnsprintfW(path, MAX_PATH, TEXT("%s\\%s"), folder, kShortcutName);
  if (FAILED(file->Save(path, TRUE))) return false;
  if (listener) listener->Created(ManifestKind::Link, path, true);
  return true;
}

}  // namespace

bool CreateShellShortcut(LPCWSTR workingDir, LPCWSTR target, LPCWSTR folder,
                         CreationListener* listener) {
  CoInitialize(nullptr);
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      link) {
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        file) {
      saved = SaveLink(link, file, workingDir, target, folder, listener);
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return saved;
}

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

// Makes the folder and any missing level above it, telling the listener of each.
void EnsureFolder(LPCWSTR folder, CreationListener* listener) {
  if (!PathFileExistsW(folder)) EnsureDirectory(folder, listener);
}

}  // namespace

void CreateDesktopShortcut(LPCWSTR launcherPath, CreationListener* listener) {
  WCHAR installDir[MAX_PATH];
  WCHAR desktop[MAX_PATH];
  InstallDirOf(launcherPath, installDir);
  CoInitialize(nullptr);
  if (SpecialFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY, desktop))
    CreateShellShortcut(installDir, launcherPath, desktop, listener);
  CoUninitialize();
}

void CreateStartMenuShortcut(LPCWSTR launcherPath, CreationListener* listener) {
  WCHAR installDir[MAX_PATH];
  WCHAR folder[MAX_PATH];
  InstallDirOf(launcherPath, installDir);
  CoInitialize(nullptr);
  if (SpecialFolderPath(CSIDL_PROGRAMS, folder)) {
    PathAddBackslashW(folder);
    lstrcpynW(folder + lstrlenW(folder), kProductName, MAX_PATH - lstrlenW(folder));
    EnsureFolder(folder, listener);
    CreateShellShortcut(installDir, launcherPath, folder, listener);
  }
  CoUninitialize();
}

void PinToTaskbar(LPCWSTR launcherPath, CreationListener* listener) {
  WCHAR installDir[MAX_PATH];
  WCHAR target[MAX_PATH];
  InstallDirOf(launcherPath, installDir);
  wnsprintfW(target, MAX_PATH, TEXT("%s%s"), installDir, kLauncherName);
  if (!CreateShellShortcut(installDir, target, installDir, listener)) return;
  WCHAR shortcut[MAX_PATH];
  wnsprintfW(shortcut, MAX_PATH, TEXT("%s\\%s"), installDir, kShortcutName);
  SetFileAttributesW(shortcut, FILE_ATTRIBUTE_HIDDEN);
  // Where the shell has no such verb (every Windows after 7) the pin is skipped and the hidden
  // shortcut stays; asking for it anyway could open the game or show an error box. The pin is
  // listed before it is made, so an install stopped half-way still undoes it.
  bool listed = false;
  for (LPCWSTR verb : {TEXT("TaskbarPin"), TEXT("StartPin")}) {
    if (!Platform::ShellOffersVerb(shortcut, verb)) continue;
    if (listener && !listed) listener->Created(ManifestKind::Pin, shortcut, true);
    listed = true;
    ShellExecuteW(nullptr, verb, shortcut, nullptr, nullptr, SW_SHOW);
  }
}

void CreateQuickLaunchShortcut(LPCWSTR launcherPath, CreationListener* listener) {
  WCHAR installDir[MAX_PATH];
  WCHAR appData[MAX_PATH];
  InstallDirOf(launcherPath, installDir);
  CoInitialize(nullptr);
  if (SpecialFolderPath(CSIDL_APPDATA, appData)) {
    WCHAR folder[MAX_PATH];
    wnsprintfW(folder, MAX_PATH, TEXT("%s\\Microsoft\\Internet Explorer\\Quick Launch"), appData);
    EnsureFolder(folder, listener);
    CreateShellShortcut(installDir, launcherPath, folder, listener);
  }
  CoUninitialize();
}

void UnpinEarlierInstall(LPCWSTR earlierInstallDir) {
  WCHAR shortcut[MAX_PATH];
  wnsprintfW(shortcut, MAX_PATH, TEXT("%s%s"), earlierInstallDir, kShortcutName);
  if (Platform::ShellOffersVerb(shortcut, TEXT("taskbarunpin")))
    ShellExecuteW(nullptr, TEXT("taskbarunpin"), shortcut, nullptr, nullptr, SW_HIDE);
}
