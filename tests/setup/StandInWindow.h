#pragma once
// A plain window of class "Setup" and title "Halvane安装程序" standing in for the setup window:
// it records the progress percentages it receives and runs this thread's messages until the
// install worker ends the loop.

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "Platform/Win32.h"

class StandInWindow {
 public:
  using Clock = std::chrono::steady_clock;

  StandInWindow();
  ~StandInWindow();
  StandInWindow(const StandInWindow&) = delete;
  StandInWindow& operator=(const StandInWindow&) = delete;

  HWND Handle() const { return m_hwnd; }
  // Every WM_COPYDATA tag-100 percentage, in order of arrival.
  const std::vector<int>& Progress() const { return m_progress; }
  // Called with the count of reports so far, while the extraction waits for the report's answer.
  void OnProgress(std::function<void(size_t)> call) { m_onProgress = std::move(call); }
  // WM_COPYDATA records with any other tag.
  int OtherCopyData() const { return m_otherCopyData; }

  // Runs this thread's messages until WM_QUIT arrives (true) or `limit` has passed (false).
  // Notes when the window was first seen hidden.
  bool RunUntilQuit(std::chrono::milliseconds limit);
  // Runs this thread's messages until `done` answers true or `limit` has passed.
  template <typename Done>
  bool RunUntil(Done done, std::chrono::milliseconds limit) {
    Clock::time_point end = Clock::now() + limit;
    while (Clock::now() < end) {
      if (PumpOnce()) m_quitAt = Clock::now();
      if (done()) return true;
    }
    return done();
  }

  std::optional<Clock::time_point> HiddenAt() const { return m_hiddenAt; }
  std::optional<Clock::time_point> QuitAt() const { return m_quitAt; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Handles waiting messages and sleeps a little; true when WM_QUIT came.
  bool PumpOnce();

  HWND m_hwnd = nullptr;
  std::vector<int> m_progress;
  int m_otherCopyData = 0;
  std::function<void(size_t)> m_onProgress;
  std::optional<Clock::time_point> m_hiddenAt;
  std::optional<Clock::time_point> m_quitAt;
};
