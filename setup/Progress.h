#pragma once
// Progress of the extraction: the shared counters, the percentage shown and the report to the setup
// window.

#include "Platform/Win32.h"

// The progress state of the one extraction that runs at a time.

// Called with the archive's total bytes, the bytes written so far, and TRUE on the first call.
typedef void (*ProgressCallback)(ULONGLONG total, ULONGLONG done, BOOL start);

// Null until the extraction thread installs ReportProgress.
extern ProgressCallback g_progressCallback;
// The sizes of all entries, and of the entries written so far.
extern ULONGLONG ProgressTotal;
extern ULONGLONG ProgressDone;

// The percentage shown on the progress bar.

// done * 100 / total in 64-bit arithmetic, 0 to 100 for any size. The first report (start) is
// 0; with nothing to write (total 0) every later report is 100.
int ProgressPercent(ULONGLONG total, ULONGLONG done, BOOL start);

// Progress of the payload extraction, reported to the setup window.

// Sends ProgressPercent of the arguments to the setup window (found by class and title) as a
// synchronous WM_COPYDATA with tag ProgressCopyTag; dropped when the window is not there.
void ReportProgress(ULONGLONG total, ULONGLONG done, BOOL start);
