#include "setup/InstallWorker.h"

#include <cstdlib>

#include "setup/InstallNames.h"
#include "setup/InstallOptions.h"
#include "setup/InstallRecords.h"
#include "setup/InstallSequence.h"
#include "setup/InstallUndo.h"
#include "setup/LaunchCommand.h"
#include "setup/PayloadExtractor.h"
#include "setup/PayloadFile.h"
#include "setup/Progress.h"
#include "setup/Shortcuts.h"
#include "setup/WindowsVersion.h"

namespace {

// Runs the extraction thread to its end. When the event or the thread cannot be created, the
// extraction counts as failed with the system's error code.
void RunExtraction(InstallOptions* options) {
  options->extractionResult = -1;
  options->extractionError = ERROR_SUCCESS;
  ExtractionStarted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!ExtractionStarted) {
    options->extractionError = GetLastError();
    return;
  }
  HANDLE thread = CreateThread(nullptr, 0, RunPayloadExtraction, options, 0, nullptr);
  if (thread) {
    WaitForSingleObject(ExtractionStarted, INFINITE);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  } else {
    options->extractionError = GetLastError();
  }
  CloseHandle(ExtractionStarted);
  ExtractionStarted = nullptr;
}

bool Cancelled() { return !InstallMayProceed(); }

// Each shortcut is a step of its own: a cancel stops before the next.
void CreateChosenShortcuts(InstallOptions& options, LPCWSTR launcher) {
  if (options.desktopShortcut && !Cancelled()) CreateDesktopShortcut(launcher, &options);
  if (options.taskbarShortcut && !Cancelled()) {
    int version = ClassifyWindowsVersion();
    if (version == 9) PinToTaskbar(launcher, &options);
    if (version == 6) CreateQuickLaunchShortcut(launcher, &options);
  }
  if (options.startMenuShortcut && !Cancelled()) CreateStartMenuShortcut(launcher, &options);
}

// Starts the launcher with the installer's own path as its argument text (LaunchCommandLine).
// The temporary archive goes once the launcher has started.
void Launch(LPCWSTR launcher, LPCWSTR archivePath) {
  WCHAR self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  WCHAR commandLine[kLaunchCommandSize];
  LaunchCommandLine(launcher, self, commandLine);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return;
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  DeleteFileW(archivePath);
}

// False when the user cancelled before the install was registered: from there on it
// completes.
bool CompleteInstall(InstallOptions& options) {
  WCHAR launcher[MAX_PATH];
  LauncherPath(options.installDir.c_str(), launcher);
  CreateChosenShortcuts(options, launcher);
  if (Cancelled()) return false;
  RegisterUninstallEntry(launcher);
  options.manifest.Close();
  Launch(launcher, options.archivePath.c_str());
  return true;
}

// What the install created goes before the user reads why, so a second try starts clean.
void ReportFailedInstall(InstallOptions& options) {
  UndoInstall(options);
  DeleteFileW(options.archivePath.c_str());
  HWND window = FindWindowW(kSetupWindowClass, kSetupWindowTitle);
  DWORD code = options.extractionError != ERROR_SUCCESS ? options.extractionError
                                                        : static_cast<DWORD>(ERROR_GEN_FAILURE);
  ShowErrorCode(window, code, kProductName, MB_ICONHAND);
}

// The user asked to stop: nothing of the install stays, and the program ends at once.
void TakeBackAndQuit(InstallOptions& options) {
  UndoInstall(options);
  DeleteFileW(options.archivePath.c_str());
  HWND window = FindWindowW(kSetupWindowClass, kSetupWindowTitle);
  if (window) PostMessageW(window, WM_QUIT, 0, 0);
}

void HideAndQuit() {
  HWND window = FindWindowW(kSetupWindowClass, kSetupWindowTitle);
  if (!window) return;
  ShowWindow(window, SW_HIDE);
  Sleep(kQuitDelayMs);
  PostMessageW(window, WM_QUIT, 0, 0);
}

}  // namespace

DWORD WINAPI RunInstallWorker(LPVOID parameter) {
  InstallOptions* options = static_cast<InstallOptions*>(parameter);
  RunExtraction(options);
  bool cancelled = options->extractionError == ERROR_CANCELLED || Cancelled();
  if (!cancelled && options->extractionResult != 0) {
    ReportFailedInstall(*options);
    delete options;
    StartInProgress = false;  // the window stays; the user may try another directory
    return 0;
  }
  if (cancelled || !CompleteInstall(*options)) {
    TakeBackAndQuit(*options);
    delete options;
    StartInProgress = false;
    return 0;
  }
  delete options;
  HideAndQuit();
  StartInProgress = false;
  return 0;
}

HANDLE ExtractionStarted = nullptr;

namespace {

// With HALVANE_TEST_STEP_DELAY_MS set (at most ten seconds), each entry waits that long before
// it is written. End-to-end tests set it so that a close during the install always lands while
// entries remain, however fast the machine; nothing else sets it.
bool PacedMayProceed() {
  static const DWORD delay = [] {
    const char* text = std::getenv("HALVANE_TEST_STEP_DELAY_MS");
    unsigned long ms = text ? std::strtoul(text, nullptr, 10) : 0;
    return static_cast<DWORD>(ms > 10000 ? 10000 : ms);
  }();
  if (delay != 0) Sleep(delay);
  return InstallMayProceed();
}

}  // namespace

DWORD WINAPI RunPayloadExtraction(LPVOID parameter) {
  InstallOptions* options = static_cast<InstallOptions*>(parameter);
  WCHAR archivePath[MAX_PATH] = {};
  WCHAR destination[MAX_PATH] = {};
  SetEvent(ExtractionStarted);
  lstrcpynW(archivePath, options->archivePath.c_str(), MAX_PATH);
  lstrcpynW(destination, options->installDir.c_str(), MAX_PATH);
  g_progressCallback = ReportProgress;
  DWORD error = ERROR_SUCCESS;
  ExtractionControl control;
  control.listener = options;
  control.mayProceed = PacedMayProceed;
  options->extractionResult = PayloadExtractor(archivePath, destination, &error, control);
  options->extractionError = error;
  return 0;
}
