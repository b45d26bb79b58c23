#pragma once
// The percentage shown on the progress bar.

#include "Platform/Win32Types.h"

// done * 100 / total in 64-bit arithmetic, 0 to 100 for any size. The first report (start) is
// 0; with nothing to write (total 0) every later report is 100.
int ProgressPercent(ULONGLONG total, ULONGLONG done, BOOL start);
