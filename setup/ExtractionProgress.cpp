#include "setup/ExtractionProgress.h"

ProgressCallback g_progressCallback = nullptr;
ULONGLONG ProgressTotal = 0;
ULONGLONG ProgressDone = 0;
