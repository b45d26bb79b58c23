// Messages between threads: synchronous sends that never deadlock, posts, quit, and the calls
// an install worker makes on the window of the UI thread.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "Platform/Host/Headless/Headless.h"
#include "Platform/Win32.h"

namespace {

struct Peer {
  HWND self = nullptr;
  HWND other = nullptr;
  std::vector<int32_t> progress;
  int selfPosts = 0;
  int echoes = 0;
};

LRESULT CALLBACK PeerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* peer = reinterpret_cast<Peer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
      return TRUE;
    }
    case WM_COPYDATA: {
      auto* cds = reinterpret_cast<COPYDATASTRUCT*>(lParam);
      if (cds->dwData == 100 && cds->cbData == sizeof(int32_t)) {
        peer->progress.push_back(*static_cast<int32_t*>(cds->lpData));
      }
      return TRUE;
    }
    case WM_USER:  // busy work the window posts to itself
      peer->selfPosts++;
      return 0;
    case WM_USER + 1:  // a ping that answers by sending back to the other window
      if (wParam > 0) return SendMessageW(peer->other, WM_USER + 1, wParam - 1, lParam) + 1;
      return 1;
    case WM_USER + 2: peer->echoes++; return static_cast<LRESULT>(wParam * 2);
    default: return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

const char16_t kPeerClass[] = u"CrossThreadPeer";

HWND MakePeer(Peer* peer, LPCWSTR title = u"peer") {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = PeerProc;
  wc.lpszClassName = kPeerClass;
  RegisterClassExW(&wc);
  peer->self = CreateWindowExW(0, kPeerClass, title, WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                               nullptr, peer);
  return peer->self;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

class CrossThread : public ::testing::Test {
 protected:
  void SetUp() override { Platform::Headless::Reset(); }
};

TEST_F(CrossThread, TenThousandCopyDataMessagesArriveOnceAndInOrderWhileTheWindowIsBusy) {
  Peer peer;
  HWND hwnd = MakePeer(&peer);
  ASSERT_NE(hwnd, nullptr);
  const int kCount = 10000;
  std::atomic<bool> done{false};
  std::atomic<int> answeredTrue{0};
  std::thread worker([&] {
    HWND target = FindWindowW(kPeerClass, u"peer");
    for (int32_t i = 0; i < kCount; ++i) {
      int32_t value = i;
      COPYDATASTRUCT cds{100, sizeof(value), &value};
      if (SendMessageW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)) == TRUE) {
        answeredTrue++;
      }
    }
    done = true;
    PostMessageW(target, WM_USER, 0, 0);  // wakes the loop one last time
  });
  MSG msg;
  while (!done) {
    PostMessageW(hwnd, WM_USER, 0, 0);
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
    DispatchMessageW(&msg);
  }
  worker.join();
  Pump();
  ASSERT_EQ(peer.progress.size(), static_cast<size_t>(kCount));
  for (int32_t i = 0; i < kCount; ++i) ASSERT_EQ(peer.progress[i], i);
  EXPECT_EQ(answeredTrue.load(), kCount);
  EXPECT_GT(peer.selfPosts, 0);
  DestroyWindow(hwnd);
}

TEST_F(CrossThread, TwoThreadsSendingToEachOtherDoNotDeadlock) {
  Peer a, b;
  ASSERT_NE(MakePeer(&a, u"a"), nullptr);
  std::atomic<bool> ready{false}, stop{false};
  std::atomic<LRESULT> fromB{0};
  std::thread other([&] {
    MakePeer(&b, u"b");
    b.other = a.self;
    ready = true;
    // b's thread sends to a while a's thread sends to b.
    fromB = SendMessageW(a.self, WM_USER + 1, 6, 0);
    MSG msg;
    while (!stop) {
      if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
      else
        std::this_thread::yield();
    }
    DestroyWindow(b.self);
  });
  while (!ready) std::this_thread::yield();
  a.other = b.self;
  LRESULT fromA = SendMessageW(b.self, WM_USER + 1, 5, 0);
  while (fromB == 0) {
    Pump();
    std::this_thread::yield();
  }
  stop = true;
  other.join();
  EXPECT_EQ(fromA, 6);  // five hops and the last answer
  EXPECT_EQ(fromB.load(), 7);
  DestroyWindow(a.self);
}

TEST_F(CrossThread, SendingToAWindowWhoseThreadEndedFails) {
  Peer p;
  HWND hwnd = nullptr;
  std::thread t([&] { hwnd = MakePeer(&p, u"gone"); });
  t.join();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(SendMessageW(hwnd, WM_USER + 2, 3, 0), 0);
  EXPECT_EQ(p.echoes, 0);
}

TEST_F(CrossThread, WorkerFindsHidesAndQuitsTheWindowAndShowsAMessageBox) {
  Peer peer;
  HWND hwnd = MakePeer(&peer, u"Halvane");
  ShowWindow(hwnd, SW_SHOWNORMAL);
  Platform::Headless::AnswerMessageBox(IDOK);
  std::atomic<int> boxAnswer{0};
  std::thread worker([&] {
    boxAnswer = MessageBoxW(hwnd, u"Error : 5", u"Halvane", MB_OK);
    HWND found = FindWindowW(kPeerClass, u"Halvane");
    EXPECT_EQ(found, hwnd);
    EXPECT_EQ(SendMessageW(found, WM_USER + 2, 21, 0), 42);
    ShowWindow(found, SW_HIDE);
    PostMessageW(found, WM_QUIT, 0, 0);
  });
  MSG msg;
  int quitSeen = 0;
  BOOL r;
  while ((r = GetMessageW(&msg, nullptr, 0, 0)) > 0) DispatchMessageW(&msg);
  if (r == 0) quitSeen = 1;
  worker.join();
  EXPECT_EQ(quitSeen, 1);
  EXPECT_EQ(boxAnswer.load(), IDOK);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_FALSE(Platform::Headless::View(hwnd).visible);
  auto boxes = Platform::Headless::TakeMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Error : 5");
  EXPECT_EQ(boxes[0].caption, u"Halvane");
  EXPECT_EQ(boxes[0].owner, hwnd);
  EXPECT_TRUE(boxes[0].ownerWasDisabled);
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  DestroyWindow(hwnd);
}

TEST_F(CrossThread, PostQuitMessageEndsGetMessageAfterPostedMessages) {
  Peer peer;
  HWND hwnd = MakePeer(&peer);
  PostQuitMessage(7);
  PostMessageW(hwnd, WM_USER, 0, 0);
  MSG msg;
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  ASSERT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  DestroyWindow(hwnd);
}

TEST_F(CrossThread, ThreadMessagesAndFilters) {
  Peer peer;
  HWND hwnd = MakePeer(&peer);
  DWORD me = GetCurrentThreadId();
  std::thread t([&] { EXPECT_TRUE(PostThreadMessageW(me, WM_APP, 1, 2)); });
  t.join();
  PostMessageW(hwnd, WM_USER, 0, 0);
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP));
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_TRUE(PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE));
  EXPECT_EQ(msg.lParam, 2);
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_FALSE(PostThreadMessageW(0x7fffffff, WM_APP, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
  DestroyWindow(hwnd);
}

}  // namespace
