// The report to the setup window, apart from the counters: a program that extracts without a
// window (the extraction tool) then links no window system.
#include "setup/InstallNames.h"
#include "setup/Progress.h"

void ReportProgress(ULONGLONG total, ULONGLONG done, BOOL start) {
  INT percent = ProgressPercent(total, done, start);
  HWND window = FindWindowW(kSetupWindowClass, kSetupWindowTitle);
  if (!window) return;
  COPYDATASTRUCT record = {};
  record.dwData = ProgressCopyTag;
  record.cbData = sizeof percent;
  record.lpData = &percent;
  SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
}
