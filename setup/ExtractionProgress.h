#pragma once
// The progress state of the one extraction that runs at a time.

#include "Platform/Win32Types.h"

// Called with the archive's total bytes, the bytes written so far, and TRUE on the first call.
typedef void (*ProgressCallback)(ULONGLONG total, ULONGLONG done, BOOL start);

// Null until the extraction thread installs ReportProgress.
extern ProgressCallback g_progressCallback;
// The sizes of all entries, and of the entries written so far.
extern ULONGLONG ProgressTotal;
extern ULONGLONG ProgressDone;
