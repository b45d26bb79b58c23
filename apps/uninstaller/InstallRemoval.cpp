#include "apps/uninstaller/InstallRemoval.h"

#include "setup/InstallNames.h"

namespace {

void DropTrailingBackslash(WCHAR* path) {
  int length = lstrlenW(path);
  if (length > 3 && path[length - 1] == TEXT('\\')) path[length - 1] = 0;
}

bool IsGone(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

bool DeleteListedFile(LPCWSTR path) { return DeleteFileW(path) || IsGone(GetLastError()); }

bool RemoveListedFolder(LPCWSTR path) { return RemoveDirectoryW(path) || IsGone(GetLastError()); }

// A shortcut's folder goes with it when the install made it for the product alone
// (Programs\Halvane) and nothing else is left in it.
void RemoveProductFolderOf(LPCWSTR shortcut) {
  WCHAR folder[MAX_PATH];
  lstrcpynW(folder, shortcut, MAX_PATH);
  PathRemoveFileSpecW(folder);
  int length = lstrlenW(folder);
  int nameLength = lstrlenW(kProductName);
  if (length > nameLength && folder[length - nameLength - 1] == TEXT('\\') &&
      lstrcmpiW(folder + length - nameLength, kProductName) == 0)
    RemoveDirectoryW(folder);
}

bool Unpin(LPCWSTR link) {
  bool taskbar = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, TEXT("taskbarunpin"), link,
                                                         nullptr, nullptr, SW_HIDE)) > 32;
  bool start = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, TEXT("startunpin"), link, nullptr,
                                                       nullptr, SW_HIDE)) > 32;
  return taskbar || start;
}

// The folder itself, without its trailing backslash.
void FolderOf(LPCWSTR installDir, WCHAR* out) {
  lstrcpynW(out, installDir, MAX_PATH);
  DropTrailingBackslash(out);
}

bool RemoveEntry(LPCWSTR installDir, const ManifestEntry& entry, LPCWSTR deferred) {
  WCHAR path[MAX_PATH];
  if (!ManifestEntryPath(installDir, entry, path)) return false;
  switch (entry.kind) {
    case ManifestKind::Link:
      if (!DeleteListedFile(path)) return false;
      RemoveProductFolderOf(path);
      return true;
    case ManifestKind::Pin: return Unpin(entry.path.c_str());
    case ManifestKind::File: return lstrcmpiW(path, deferred) == 0 || DeleteListedFile(path);
    case ManifestKind::Folder: DropTrailingBackslash(path); return RemoveListedFolder(path);
  }
  return false;
}

}  // namespace

RemovalCounts RemoveListedItems(LPCWSTR installDir, const std::vector<ManifestEntry>& entries,
                                LPCWSTR deferred) {
  RemovalCounts counts;
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (RemoveEntry(installDir, *it, deferred))
      ++counts.nRemoved;
    else
      ++counts.nKept;
  }
  return counts;
}

bool ListsInstallFolder(LPCWSTR installDir, const std::vector<ManifestEntry>& entries) {
  WCHAR folder[MAX_PATH];
  FolderOf(installDir, folder);
  for (const ManifestEntry& entry : entries) {
    WCHAR path[MAX_PATH];
    if (entry.kind != ManifestKind::Folder || !ManifestEntryPath(installDir, entry, path)) continue;
    DropTrailingBackslash(path);
    if (lstrcmpiW(path, folder) == 0) return true;
  }
  return false;
}

bool RemoveSelfLast(LPCWSTR selfPath, LPCWSTR installDir, bool removeFolder) {
  WCHAR folder[MAX_PATH];
  FolderOf(installDir, folder);
  if (DeleteFileW(selfPath)) {
    if (removeFolder) RemoveDirectoryW(folder);
    return true;
  }
  // The system refuses to delete a running program's file: it goes, with the folder it leaves
  // empty, when the system starts next.
  if (!MoveFileExW(selfPath, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return false;
  if (removeFolder) MoveFileExW(folder, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  return true;
}
