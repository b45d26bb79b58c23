#include "setup/InstallUndo.h"

#include "setup/InstallRecords.h"

namespace {

bool IsGone() {
  DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

bool RemoveListedThing(LPCWSTR installDir, const ManifestEntry& entry) {
  WCHAR path[MAX_PATH];
  if (!ManifestEntryPath(installDir, entry, path)) return false;
  switch (entry.kind) {
    case ManifestKind::Pin:
      ShellExecuteW(nullptr, TEXT("taskbarunpin"), path, nullptr, nullptr, SW_HIDE);
      ShellExecuteW(nullptr, TEXT("startunpin"), path, nullptr, nullptr, SW_HIDE);
      return true;
    case ManifestKind::Folder: return RemoveDirectoryW(path) || IsGone();
    case ManifestKind::File:
    case ManifestKind::Link: break;
  }
  if (DeleteFileW(path) || IsGone()) return true;
  // A link the install hid, or a file it wrote read-only, is still its own to remove.
  SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
  return DeleteFileW(path) != FALSE;
}

void UndoInstall(InstallOptions& options) {
  InstallManifestWriter& manifest = options.manifest;
  manifest.RewriteCarriedOnly();
  const std::vector<ManifestEntry>& created = manifest.Created();
  for (auto entry = created.rbegin(); entry != created.rend(); ++entry)
    RemoveListedThing(manifest.InstallDir(), *entry);
  if (options.hadEarlierPath)
    WriteInstallPath(options.earlierPath.c_str());
  else
    ForgetInstallPath();
}
