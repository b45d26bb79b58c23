// Message tables of placement: what SetWindowPos (move, size, frame changed, topmost),
// ShowWindow (maximise, minimise, restore) and WM_NCCALCSIZE send, in order, and which of the
// messages the default procedure sends while it handles another. The skinned window base
// relies on these sequences.
#include <gtest/gtest.h>

#include "Recorder.h"

using namespace WindowTest;
namespace H = Platform::Headless;

namespace {

constexpr Via S = Via::Sent;
constexpr Via D = Via::Default;
constexpr Via P = Via::Posted;

// The placement messages; painting, activation and the rest are left out of the tables.
const std::vector<UINT> kPlacement{
    WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCCALCSIZE, WM_MOVE, WM_SIZE,
    WM_GETMINMAXINFO,     WM_SHOWWINDOW,       WM_SYSCOMMAND, WM_USER};

class PlacementTables : public ::testing::Test {
 protected:
  void SetUp() override {
    a = rec.Create("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr, 0, {100, 100, 400, 300});
    ASSERT_NE(a, nullptr);
    Recorder::Pump();
    rec.Only(kPlacement);
    rec.Clear();
  }
  // Runs a placement call and the queue after it, as a message loop would.
  template <typename F>
  void Record(F call) {
    rec.Clear();
    call();
    Recorder::Pump();
  }

  Recorder rec;
  HWND a = nullptr;
};

const UINT kQuiet = SWP_NOZORDER | SWP_NOACTIVATE;

TEST_F(PlacementTables, SetWindowPos) {
  struct Row {
    const char* what;
    HWND after;
    RECT rect;
    UINT flags;
    std::vector<Step> table;
  };
  const std::vector<Row> rows{
      {"move",
       nullptr,
       {150, 120, 0, 0},
       SWP_NOSIZE | kQuiet,
       {{"A", WM_WINDOWPOSCHANGING, S}, {"A", WM_WINDOWPOSCHANGED, S}, {"A", WM_MOVE, D}}},
      {"size",
       nullptr,
       {0, 0, 320, 240},
       SWP_NOMOVE | kQuiet,
       {{"A", WM_WINDOWPOSCHANGING, S},
        {"A", WM_NCCALCSIZE, S},
        {"A", WM_WINDOWPOSCHANGED, S},
        {"A", WM_SIZE, D}}},
      {"frame changed",
       nullptr,
       {},
       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | kQuiet,
       {{"A", WM_WINDOWPOSCHANGING, S}, {"A", WM_NCCALCSIZE, S}, {"A", WM_WINDOWPOSCHANGED, S}}},
      {"topmost",
       HWND_TOPMOST,
       {},
       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE,
       {{"A", WM_WINDOWPOSCHANGING, S}, {"A", WM_WINDOWPOSCHANGED, S}}},
  };
  for (const Row& row : rows) {
    Record([&] {
      SetWindowPos(a, row.after, row.rect.left, row.rect.top, row.rect.right, row.rect.bottom,
                   row.flags);
    });
    EXPECT_TRUE(rec.MatchesTable(row.table)) << row.what << ": " << rec.DescribeTable();
  }
}

TEST_F(PlacementTables, ShowWindow) {
  struct Row {
    const char* what;
    int command;
    std::vector<Step> table;
  };
  const std::vector<Row> rows{
      {"maximise",
       SW_MAXIMIZE,
       {{"A", WM_GETMINMAXINFO, S},
        {"A", WM_WINDOWPOSCHANGING, S},
        {"A", WM_NCCALCSIZE, S},
        {"A", WM_WINDOWPOSCHANGED, S},
        {"A", WM_SIZE, D},
        {"A", WM_MOVE, D}}},
      {"restore from maximised",
       SW_RESTORE,
       {{"A", WM_WINDOWPOSCHANGING, S},
        {"A", WM_NCCALCSIZE, S},
        {"A", WM_WINDOWPOSCHANGED, S},
        {"A", WM_SIZE, D},
        {"A", WM_MOVE, D}}},
      // Minimising keeps the window's rectangle: only the size notice with SIZE_MINIMIZED.
      {"minimise", SW_MINIMIZE, {{"A", WM_SIZE, S}}},
      // Restoring the unchanged rectangle tells the size again, directly.
      {"restore from minimised",
       SW_RESTORE,
       {{"A", WM_WINDOWPOSCHANGING, S},
        {"A", WM_NCCALCSIZE, S},
        {"A", WM_WINDOWPOSCHANGED, S},
        {"A", WM_SIZE, S}}},
  };
  for (const Row& row : rows) {
    Record([&] { ShowWindow(a, row.command); });
    EXPECT_TRUE(rec.MatchesTable(row.table)) << row.what << ": " << rec.DescribeTable();
  }
}

TEST_F(PlacementTables, SizeNoticesSayWhatHappened) {
  rec.Only({WM_SIZE});
  std::vector<WPARAM> kinds;
  for (int command : {SW_MAXIMIZE, SW_MINIMIZE, SW_RESTORE}) {
    Record([&] { ShowWindow(a, command); });
    for (const Seen& m : rec.Messages()) kinds.push_back(m.wParam);
  }
  EXPECT_EQ(kinds, (std::vector<WPARAM>{SIZE_MAXIMIZED, SIZE_MINIMIZED, SIZE_MAXIMIZED}))
      << "restoring a window minimised from maximised brings it back maximised";
}

TEST_F(PlacementTables, NcCalcSizeAnswerSetsTheClientArea) {
  RECT window{};
  GetWindowRect(a, &window);
  std::vector<WPARAM> calcKinds;
  // A skinned frame: the client area is the window less 4 pixels all round.
  rec.SetAnswer([&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
    if (msg != WM_NCCALCSIZE) return std::nullopt;
    calcKinds.push_back(wParam);
    RECT* proposed = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                            : reinterpret_cast<RECT*>(lParam);
    InflateRect(proposed, -4, -4);
    return 0;
  });
  Record([&] {
    SetWindowPos(a, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | kQuiet);
  });
  EXPECT_EQ(calcKinds, std::vector<WPARAM>{TRUE});
  RECT client{};
  GetClientRect(a, &client);
  EXPECT_EQ(client.right, window.right - window.left - 8);
  EXPECT_EQ(client.bottom, window.bottom - window.top - 8);
  POINT origin{0, 0};
  ClientToScreen(a, &origin);
  EXPECT_EQ(origin.x, window.left + 4);
  EXPECT_EQ(origin.y, window.top + 4);
}

TEST_F(PlacementTables, TheRecorderTellsPostedFromSent) {
  Record([&] {
    PostMessageW(a, WM_USER, 1, 0);
    SendMessageW(a, WM_USER, 2, 0);
  });
  EXPECT_TRUE(rec.MatchesTable({{"A", WM_USER, S}, {"A", WM_USER, P}})) << rec.DescribeTable();
  // A message sent while a posted one is handled is sent.
  rec.SetAnswer([&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_USER && wParam == 1) SendMessageW(hwnd, WM_USER, 3, 0);
    return std::nullopt;
  });
  Record([&] { PostMessageW(a, WM_USER, 1, 0); });
  EXPECT_TRUE(rec.MatchesTable({{"A", WM_USER, P}, {"A", WM_USER, S}})) << rec.DescribeTable();
}

}  // namespace
