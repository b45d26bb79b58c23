#include <gtest/gtest.h>

#include "Platform/Kernel/PathMap.h"
#include "StandInWindow.h"
#include "setup/InstallOptions.h"
#include "setup/InstallWorker.h"
#include "setup/Progress.h"
#include "support/InstallDrive.h"
#include "support/SevenZip.h"

namespace {

using namespace std::chrono_literals;

// Runs the extraction thread as the worker does: event first, then the thread, then both waits.
void RunLikeTheWorker(InstallOptions* options, StandInWindow& window) {
  ExtractionStarted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(ExtractionStarted, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, RunPayloadExtraction, options, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  // The window's thread keeps handling the progress messages while it waits.
  EXPECT_TRUE(
      window.RunUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, 60s));
  EXPECT_EQ(WaitForSingleObject(ExtractionStarted, 0), WAIT_OBJECT_0);
  CloseHandle(thread);
  CloseHandle(ExtractionStarted);
  ExtractionStarted = nullptr;
}

TEST(ExtractionThread, UnpacksAndReportsToTheWindow) {
  TestSupport::InstallDrive drive;
  StandInWindow window;
  InstallOptions options;
  options.installDir = drive.InstallDirW();
  options.archivePath = Platform::PosixToWindowsPath(TestSupport::ShippedPayload().string());
  RunLikeTheWorker(&options, window);
  EXPECT_EQ(options.extractionResult, 0);
  EXPECT_EQ(options.extractionError, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(g_progressCallback, &ReportProgress);
  EXPECT_TRUE(std::filesystem::exists(drive.InstallDir() / "PlayCrate.exe"));
  ASSERT_EQ(window.Progress().size(), 24u);
  EXPECT_EQ(window.Progress().front(), 0);
  EXPECT_EQ(window.Progress().back(), 100);
  g_progressCallback = nullptr;
}

TEST(ExtractionThread, MissingArchiveLeavesTheFailureForTheWorker) {
  TestSupport::InstallDrive drive;
  StandInWindow window;
  InstallOptions options;
  options.installDir = drive.InstallDirW();
  options.archivePath = u"D:\\missing.7z";
  RunLikeTheWorker(&options, window);
  EXPECT_EQ(options.extractionResult, -1);
  EXPECT_EQ(options.extractionError, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(window.Progress().empty());
  g_progressCallback = nullptr;
}

}  // namespace
