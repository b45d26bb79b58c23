#include "setup/Progress.h"

ProgressCallback g_progressCallback = nullptr;
ULONGLONG ProgressTotal = 0;
ULONGLONG ProgressDone = 0;

int ProgressPercent(ULONGLONG total, ULONGLONG done, BOOL start) {
  if (start) return 0;
  if (total == 0 || done >= total) return 100;
  // done < total here; done * 100 overflows only past 2^64 / 100 bytes.
  if (done <= ~0ull / 100) return static_cast<int>(done * 100 / total);
  ULONGLONG percent = done / (total / 100);
  return static_cast<int>(percent < 100 ? percent : 99);
}
