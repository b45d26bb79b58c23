#include "setup/InstallSequence.h"

#include "setup/ExtractionPaths.h"
#include "setup/InstallNames.h"
#include "setup/InstallOptions.h"
#include "setup/InstallRecords.h"
#include "setup/InstallWorker.h"
#include "setup/PayloadFile.h"
#include "setup/Shortcuts.h"

std::atomic<bool> StartInProgress{false};

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

bool StartWorker(LPCWSTR installDir, LPCWSTR archivePath, bool desktop, bool startMenu,
                 bool taskbar) {
  InstallOptions* options = new InstallOptions;
  options->installDir = installDir;
  options->archivePath = archivePath;
  options->desktopShortcut = desktop;
  options->startMenuShortcut = startMenu;
  options->taskbarShortcut = taskbar;
  HANDLE worker = CreateThread(nullptr, 0, RunInstallWorker, options, 0, nullptr);
  if (!worker) {
    delete options;
    return false;
  }
  CloseHandle(worker);
  return true;
}

// The start step proper; true when a worker now owns the rest of the install.
bool BeginInstall(HWND owner, LPCWSTR directoryText, bool desktop, bool startMenu, bool taskbar) {
  WCHAR installDir[MAX_PATH];
  if (!MakeInstallDirectory(directoryText, installDir)) {
    ShowErrorCode(owner, ERROR_FILENAME_EXCED_RANGE, kProductName, MB_ICONHAND);
    return false;
  }
  if (!IsOnFixedDrive(installDir)) {
    MessageBoxW(owner, kInvalidDriveText, kProductName, MB_ICONHAND);
    return false;
  }
  UnpinIfElsewhere(installDir);
  WriteInstallPath(installDir);
  if (!PathFileExistsW(installDir) && SHCreateDirectory(nullptr, installDir) != ERROR_SUCCESS)
    return false;
  WCHAR archivePath[MAX_PATH];
  if (!PrepareTempArchive(archivePath)) return false;
  if (!WritePayloadToFile(owner, archivePath, kPayloadResourceId, kPayloadResourceType))
    return false;
  return StartWorker(installDir, archivePath, desktop, startMenu, taskbar);
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
  if (!BeginInstall(owner, directoryText, desktopShortcut, startMenuShortcut, taskbarShortcut))
    StartInProgress = false;
}
