#include "setup/ExtractionThread.h"

#include "setup/InstallOptions.h"
#include "setup/PayloadExtractor.h"
#include "setup/ExtractionProgress.h"
#include "setup/ProgressReport.h"

HANDLE ExtractionStarted = nullptr;

DWORD WINAPI RunPayloadExtraction(LPVOID parameter) {
  InstallOptions* options = static_cast<InstallOptions*>(parameter);
  WCHAR archivePath[MAX_PATH] = {};
  WCHAR destination[MAX_PATH] = {};
  SetEvent(ExtractionStarted);
  lstrcpynW(archivePath, options->archivePath.c_str(), MAX_PATH);
  lstrcpynW(destination, options->installDir.c_str(), MAX_PATH);
  g_progressCallback = ReportProgress;
  DWORD error = ERROR_SUCCESS;
  options->extractionResult = PayloadExtractor(archivePath, destination, &error);
  options->extractionError = error;
  return 0;
}
