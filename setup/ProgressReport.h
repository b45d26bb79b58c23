#pragma once
// Progress of the payload extraction, reported to the setup window.

#include "Platform/Win32.h"

// Sends ProgressPercent of the arguments to the setup window (found by class and title) as a
// synchronous WM_COPYDATA with tag ProgressCopyTag; dropped when the window is not there.
void ReportProgress(ULONGLONG total, ULONGLONG done, BOOL start);
