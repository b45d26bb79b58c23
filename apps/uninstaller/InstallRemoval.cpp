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

// installDir + relative path ("." is the folder itself, without its trailing backslash).
bool JoinInstallPath(LPCWSTR installDir, const ManifestEntry& entry, WCHAR* out) {
  bool self = entry.kind == ManifestKind::Folder && entry.path == TEXT(".");
  int length = lstrlenW(installDir) + (self ? 0 : static_cast<int>(entry.path.size()));
  if (length >= MAX_PATH) return false;
  lstrcpynW(out, installDir, MAX_PATH);
  if (self)
    DropTrailingBackslash(out);
  else
    lstrcatW(out, entry.path.c_str());
  return true;
}

bool RemoveEntry(LPCWSTR installDir, const ManifestEntry& entry, LPCWSTR deferred) {
  WCHAR path[MAX_PATH];
  switch (entry.kind) {
    case ManifestKind::Shortcut:
      if (!DeleteListedFile(entry.path.c_str())) return false;
      RemoveProductFolderOf(entry.path.c_str());
      return true;
    case ManifestKind::Pin: return Unpin(entry.path.c_str());
    case ManifestKind::File:
      if (!JoinInstallPath(installDir, entry, path)) return false;
      return lstrcmpiW(path, deferred) == 0 || DeleteListedFile(path);
    case ManifestKind::Folder:
      return JoinInstallPath(installDir, entry, path) && RemoveListedFolder(path);
  }
  return false;
}

}  // namespace

RemovalCounts RemoveListedItems(LPCWSTR installDir, const ManifestEntries& entries,
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

bool RemoveSelfLast(LPCWSTR selfPath, LPCWSTR installDir, bool removeFolder) {
  WCHAR folder[MAX_PATH];
  lstrcpynW(folder, installDir, MAX_PATH);
  DropTrailingBackslash(folder);
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
