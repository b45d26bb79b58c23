// HalvaneSetup: the installer's entry. main stands in for the GUI entry point and hands it the
// program's module handle.
#include "setup/InstallNames.h"
#include "setup/InstallSequence.h"
#include "setup/SetupWnd.h"

namespace {

const DWORD kSetupStyle = 0x10CF0000;    // WS_VISIBLE | WS_OVERLAPPEDWINDOW
const DWORD kSetupExStyle = 0x00000100;  // WS_EX_WINDOWEDGE
const DWORD kArchiveWaitMs = 30000;

// Answers messages sent to this thread while it waits, so no sender stays blocked on it.
void AnswerSentMessages() {
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

// The window was closed while an install runs: the process ends with the worker and the
// extraction, but the hidden temporary archive must not stay behind. The extraction keeps the
// archive open without delete sharing, so it is removed as soon as the extraction lets go of
// it (or the worker has removed it itself).
void DiscardUnfinishedInstall(HWND hWnd) {
  if (IsWindow(hWnd)) DestroyWindow(hWnd);  // progress reports to it fail from now on
  WCHAR szArchive[MAX_PATH] = {};
  DWORD dwTemp = GetTempPathW(MAX_PATH, szArchive);
  if (dwTemp == 0 || dwTemp + lstrlenW(kTempArchiveName) >= MAX_PATH) return;
  lstrcatW(szArchive, kTempArchiveName);
  for (ULONGLONG start = GetTickCount64(); GetTickCount64() - start < kArchiveWaitMs;) {
    if (DeleteFileW(szArchive) || !PathFileExistsW(szArchive)) return;
    AnswerSentMessages();
    Sleep(10);
  }
}

// Another installer runs already: its window comes to the front, and this one ends.
void BringFirstInstanceForward() {
  HWND hFirst = FindWindowW(kSetupWindowClass, kSetupWindowTitle);
  if (hFirst == nullptr) return;
  if (IsIconic(hFirst)) ShowWindow(hFirst, SW_RESTORE);
  SetForegroundWindow(hFirst);
}

int RunSetup(HINSTANCE hInstance) {
  // Claimed before anything is read or written: two installers started together would both
  // pass any check made later, and write into one folder at once. The handle is held until the
  // process ends. Without a claim (the call failed) the installer still runs.
  HANDLE hClaim = CreateMutexW(nullptr, FALSE, kSingleInstanceName);
  if (hClaim != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    BringFirstInstanceForward();
    return 0;
  }
  // The system's dialogs (folder browser, message boxes) speak the window's language.
  SetThreadUILanguage(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  SkinUI::CPaintManagerUI::SetInstance(hInstance);
  if (FAILED(CoInitialize(nullptr))) return 0;
  CSetupWnd* pSetup = new CSetupWnd();
  HWND hWnd = pSetup->Create(nullptr, kSetupWindowTitle, kSetupStyle, kSetupExStyle, 0, 0, 525, 350,
                             nullptr);
  if (hWnd == nullptr) {
    CoUninitialize();
    return 0;
  }
  pSetup->CenterOnOwner();
  ShowWindow(hWnd, SW_SHOWNORMAL);
  SkinUI::CPaintManagerUI::MessageLoop();
  if (StartInProgress) {
    // Other threads still run: end here rather than tear down what they use.
    DiscardUnfinishedInstall(hWnd);
    ExitProcess(0);
  }
  CoUninitialize();
  return 0;
}

}  // namespace

int main() { return RunSetup(GetModuleHandleW(nullptr)); }
