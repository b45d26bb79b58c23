#include "setup/InstallSequence.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "setup/ExtractionPaths.h"
#include "setup/InstallNames.h"
#include "setup/InstallOptions.h"
#include "setup/InstallRecords.h"
#include "setup/InstallUndo.h"
#include "setup/InstallWorker.h"
#include "setup/PayloadFile.h"
#include "setup/Shortcuts.h"

std::atomic<bool> StartInProgress{false};
std::atomic<bool> InstallCancelRequested{false};

namespace {

std::mutex g_holdLock;
std::condition_variable g_holdChanged;
bool g_held = false;

}  // namespace

void HoldInstall() {
  std::lock_guard<std::mutex> lock(g_holdLock);
  g_held = true;
}

void ReleaseInstall() {
  {
    std::lock_guard<std::mutex> lock(g_holdLock);
    g_held = false;
  }
  g_holdChanged.notify_all();
}

bool InstallMayProceed() {
  std::unique_lock<std::mutex> lock(g_holdLock);
  g_holdChanged.wait(lock, [] { return !g_held; });
  return !InstallCancelRequested;
}

namespace {

void UnpinIfElsewhere(LPCWSTR installDir) {
  WCHAR earlier[MAX_PATH] = {};
  if (ReadInstallPath(earlier) && lstrcmpW(earlier, installDir) != 0) UnpinEarlierInstall(earlier);
}

bool PrepareTempArchive(WCHAR* archivePath) {
  WCHAR temp[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) return false;
  if (length + lstrlenW(kTempArchiveName) >= MAX_PATH) return false;
  wnsprintfW(archivePath, MAX_PATH, TEXT("%s%s"), temp, kTempArchiveName);
  if (PathFileExistsW(archivePath)) DeleteFileW(archivePath);
  return true;
}

// Collects the folders made before the install's list exists.
struct FolderCollector final : CreationListener {
  std::vector<std::basic_string<WCHAR>> folders;
  void Created(ManifestKind, LPCWSTR path, bool) override { folders.push_back(path); }
  void RemoveAll() {
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
      RemoveDirectoryW(folder->c_str());
  }
};

// Makes the install folder and the levels above it that are missing. ERROR_SUCCESS or the
// system's code; on failure the levels it made are gone again.
DWORD CreateInstallFolder(LPCWSTR installDir, FolderCollector* created) {
  WCHAR folder[MAX_PATH];
  lstrcpynW(folder, installDir, MAX_PATH);
  int length = lstrlenW(folder);
  if (length > 3 && IsPathSeparator(folder[length - 1])) folder[length - 1] = 0;
  if (EnsureDirectory(folder, created)) return ERROR_SUCCESS;
  DWORD error = GetLastError();
  created->RemoveAll();
  return error != ERROR_SUCCESS ? error : static_cast<DWORD>(ERROR_PATH_NOT_FOUND);
}

void RememberEarlierPath(InstallOptions* options) {
  WCHAR earlier[MAX_PATH] = {};
  options->hadEarlierPath = ReadInstallPath(earlier) || InstallPathRecorded();
  options->earlierPath = earlier;
}

// The install folder exists and holds the start of the install's list, which names the
// levels made for it; the path is recorded. On failure nothing of it is left.
DWORD PrepareInstallFolder(InstallOptions* options) {
  LPCWSTR installDir = options->installDir.c_str();
  FolderCollector created;
  DWORD error = CreateInstallFolder(installDir, &created);
  if (error != ERROR_SUCCESS) return error;
  if (!options->manifest.Create(installDir)) {
    error = GetLastError();
    created.RemoveAll();
    return error;
  }
  for (const auto& folder : created.folders)
    options->Created(ManifestKind::Folder, folder.c_str(), true);
  RememberEarlierPath(options);
  UnpinIfElsewhere(installDir);
  WriteInstallPath(installDir);
  return ERROR_SUCCESS;
}

bool StartWorker(InstallOptions* options) {
  HANDLE worker = CreateThread(nullptr, 0, RunInstallWorker, options, 0, nullptr);
  if (!worker) return false;
  CloseHandle(worker);
  return true;
}

// Shows why the install did not start: the drive text when the drive is at fault, the
// system's code otherwise.
void ShowRefusal(HWND owner, DWORD error) {
  if (error == ERROR_INVALID_DRIVE)
    ShowInstallerMessage(owner, kInvalidDriveText, kProductName, MB_ICONHAND);
  else
    ShowErrorCode(owner, error, kProductName, MB_ICONHAND);
}

bool WriteTempArchive(HWND owner, InstallOptions* options) {
  WCHAR archivePath[MAX_PATH];
  if (!PrepareTempArchive(archivePath)) {
    ShowRefusal(owner, ERROR_PATH_NOT_FOUND);
    return false;
  }
  options->archivePath = archivePath;
  SetLastError(ERROR_SUCCESS);
  if (WritePayloadToFile(owner, archivePath, kPayloadResourceId, kPayloadResourceType)) return true;
  // A file that could not be created was reported already; a payload that could not be
  // written is reported here.
  DWORD error = GetLastError();
  DWORD attributes = GetFileAttributesW(archivePath);
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(archivePath);
    ShowRefusal(owner, error != ERROR_SUCCESS ? error : ERROR_RESOURCE_DATA_NOT_FOUND);
  }
  return false;
}

// The start step proper; true when a worker now owns the rest of the install.
bool BeginInstall(HWND owner, LPCWSTR directoryText, bool desktop, bool startMenu, bool taskbar) {
  auto options = std::make_unique<InstallOptions>();
  WCHAR installDir[MAX_PATH];
  DWORD refusal = MakeInstallDirectory(directoryText, installDir)
                      ? CheckInstallDirectory(installDir)
                      : static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE);
  if (refusal != ERROR_SUCCESS) {
    ShowRefusal(owner, refusal);
    return false;
  }
  options->installDir = installDir;
  options->desktopShortcut = desktop;
  options->startMenuShortcut = startMenu;
  options->taskbarShortcut = taskbar;
  refusal = PrepareInstallFolder(options.get());
  if (refusal != ERROR_SUCCESS) {
    ShowRefusal(owner, refusal);
    return false;
  }
  if (!WriteTempArchive(owner, options.get()) || !StartWorker(options.get())) {
    UndoInstall(*options);
    return false;
  }
  options.release();  // the worker owns it now
  return true;
}

bool IsDriveLetter(WCHAR c) {
  return (c >= TEXT('A') && c <= TEXT('Z')) || (c >= TEXT('a') && c <= TEXT('z'));
}

// Characters no Windows file name may hold.
bool IsForbiddenInName(WCHAR c) {
  return c < 0x20 || c == TEXT('<') || c == TEXT('>') || c == TEXT('|') || c == TEXT('?') ||
         c == TEXT('*') || c == TEXT('"') || c == TEXT(':');
}

// ERROR_SUCCESS when the nearest existing level of `installDir` is a folder; a file on the way
// cannot hold folders.
DWORD CheckExistingLevels(LPCWSTR installDir) {
  WCHAR level[MAX_PATH];
  lstrcpynW(level, installDir, MAX_PATH);
  for (int length = lstrlenW(level); length > 3; length = lstrlenW(level)) {
    if (IsPathSeparator(level[length - 1])) level[length - 1] = 0;
    DWORD attributes = GetFileAttributesW(level);
    if (attributes != INVALID_FILE_ATTRIBUTES)
      return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ERROR_SUCCESS : ERROR_DIRECTORY;
    WCHAR parent[MAX_PATH];
    if (!ParentPath(level, parent)) break;
    lstrcpynW(level, parent, MAX_PATH);
  }
  return ERROR_SUCCESS;
}

}  // namespace

bool MakeInstallDirectory(LPCWSTR directoryText, WCHAR* out) {
  int length = directoryText ? lstrlenW(directoryText) : 0;
  bool addSeparator = length > 0 && directoryText[length - 1] != TEXT('\\');
  if (length + (addSeparator ? 1 : 0) > MAX_PATH - 1) {
    out[0] = 0;
    return false;
  }
  lstrcpynW(out, directoryText ? directoryText : TEXT(""), MAX_PATH);
  if (addSeparator) lstrcatW(out, TEXT("\\"));
  return true;
}

DWORD CheckInstallDirectory(LPCWSTR installDir) {
  if (installDir[0] == 0) return ERROR_BAD_PATHNAME;
  bool hasDrive = installDir[1] == TEXT(':') && IsPathSeparator(installDir[2]);
  bool isUnc = IsPathSeparator(installDir[0]) && IsPathSeparator(installDir[1]);
  if (isUnc || (hasDrive && !IsDriveLetter(installDir[0]))) return ERROR_INVALID_DRIVE;
  if (!hasDrive) return ERROR_BAD_PATHNAME;  // relative: it would land who knows where
  for (LPCWSTR c = installDir + 3; *c; ++c)
    if (IsForbiddenInName(*c)) return ERROR_INVALID_NAME;
  if (!IsOnFixedDrive(installDir)) return ERROR_INVALID_DRIVE;
  return CheckExistingLevels(installDir);
}

bool IsOnFixedDrive(LPCWSTR installDir) {
  // Only an absolute path has a drive to check: "Cgames\" or "C:games\" would land somewhere
  // relative to the current folder.
  WCHAR letter = installDir[0];
  bool isLetter =
      (letter >= TEXT('A') && letter <= TEXT('Z')) || (letter >= TEXT('a') && letter <= TEXT('z'));
  if (!isLetter || installDir[1] != TEXT(':') || !IsPathSeparator(installDir[2])) return false;
  WCHAR root[4] = {letter, TEXT(':'), TEXT('\\'), 0};
  return GetDriveTypeW(root) == DRIVE_FIXED;
}

void StartInstall(HWND owner, LPCWSTR directoryText, bool desktopShortcut, bool startMenuShortcut,
                  bool taskbarShortcut) {
  if (StartInProgress.exchange(true)) return;
  InstallCancelRequested = false;
  if (!BeginInstall(owner, directoryText, desktopShortcut, startMenuShortcut, taskbarShortcut))
    StartInProgress = false;
}
