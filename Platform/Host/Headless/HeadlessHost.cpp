#include <algorithm>
#include <deque>
#include <map>
#include <mutex>
#include <utility>

#include "Platform/Host/Headless/Headless.h"
#include "Platform/Host/Host.h"
#include "Platform/Kernel/Clock.h"
#include "Platform/Window/MessageQueue.h"
#include "Platform/Window/WindowOps.h"

namespace Platform {

struct HeadlessWindowRecord final : HostWindow {
  HWND hwnd = nullptr;
  Headless::HostView view;
};

namespace {

const RECT kDefaultScreen{0, 0, 1920, 1080};
const RECT kDefaultWork{0, 0, 1920, 1040};

struct Drag {
  HeadlessWindowRecord* window = nullptr;
  POINT start{};
  RECT startRect{};
};

struct HeadlessState {
  std::mutex lock;
  RECT screen = kDefaultScreen;
  RECT work = kDefaultWork;
  std::map<HWND, HeadlessWindowRecord*> windows;
  std::deque<int> boxAnswers;
  std::vector<Headless::MessageBoxShown> boxes;
  std::deque<std::optional<std::u16string>> folderAnswers;
  std::vector<std::u16string> folderTitles;
  std::deque<int> menuAnswers;
  std::vector<std::vector<MenuItem>> menus;
  std::optional<std::u16string> clipboard;
  int cursor = 0;
  Drag drag;
  POINT mouse{};
};

HeadlessState& State() {
  static auto* state = new HeadlessState();
  return *state;
}

int FirstButton(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    case MB_CANCELTRYCONTINUE: return IDCANCEL;
    default: return IDOK;
  }
}

class HeadlessHost final : public Host {
 public:
  const char* Name() const override { return "headless"; }

  HostWindow* CreateHostWindow(HWND hwnd, const RECT& screenRect) override {
    auto* w = new HeadlessWindowRecord{{}, hwnd, {}};
    w->view.exists = true;
    w->view.rect = screenRect;
    std::lock_guard<std::mutex> guard(State().lock);
    State().windows[hwnd] = w;
    return w;
  }
  void DestroyHostWindow(HostWindow* hw) override {
    auto* w = static_cast<HeadlessWindowRecord*>(hw);
    std::lock_guard<std::mutex> guard(State().lock);
    State().windows.erase(w->hwnd);
    if (State().drag.window == w) State().drag = Drag{};
    delete w;
  }
  void ShowHostWindow(HostWindow* hw, bool show, bool) override {
    auto* w = static_cast<HeadlessWindowRecord*>(hw);
    Set([&] { w->view.visible = show; });
  }
  void MoveHostWindow(HostWindow* hw, const RECT& r) override {
    auto* w = static_cast<HeadlessWindowRecord*>(hw);
    Set([&] { w->view.rect = r; });
  }
  void SetHostTitle(HostWindow* hw, const std::u16string& t) override {
    auto* w = static_cast<HeadlessWindowRecord*>(hw);
    Set([&] { w->view.title = t; });
  }
  void Present(HostWindow* hw, cairo_surface_t*, const RECT&) override {
    auto* w = static_cast<HeadlessWindowRecord*>(hw);
    Set([&] { w->view.presents++; });
  }
  void SetShape(HostWindow* hw, const cairo_region_t* s) override {
    auto* w = static_cast<HeadlessWindowRecord*>(hw);
    Set([&] { w->view.shaped = s != nullptr; });
  }
  void SetOpacity(HostWindow* hw, BYTE a) override {
    auto* w = static_cast<HeadlessWindowRecord*>(hw);
    Set([&] { w->view.opacity = a; });
  }
  void SetKeepAbove(HostWindow* hw, bool above) override {
    auto* w = static_cast<HeadlessWindowRecord*>(hw);
    Set([&] { w->view.keepAbove = above; });
  }
  void SetMinimized(HostWindow* hw, bool m) override {
    auto* w = static_cast<HeadlessWindowRecord*>(hw);
    Set([&] { w->view.minimized = m; });
  }
  void Activate(HostWindow*) override {}
  void BeginMoveDrag(HostWindow* hw, int, POINT screen) override {
    auto* w = static_cast<HeadlessWindowRecord*>(hw);
    std::lock_guard<std::mutex> guard(State().lock);
    State().drag = Drag{w, screen, w->view.rect};
  }
  void BeginResizeDrag(HostWindow* hw, int edge, int, POINT) override {
    auto* w = static_cast<HeadlessWindowRecord*>(hw);
    Set([&] { w->view.resizeEdge = edge; });
  }
  void SetCursorShape(HostWindow*, int id) override {
    Set([&] { State().cursor = id; });
  }
  RECT ScreenRect() override {
    std::lock_guard<std::mutex> guard(State().lock);
    return State().screen;
  }
  RECT WorkArea() override {
    std::lock_guard<std::mutex> guard(State().lock);
    return State().work;
  }

  int MessageBox(HWND owner, const std::u16string& text, const std::u16string& caption,
                 UINT type) override {
    bool disabled = owner != nullptr && !IsWindowEnabled(owner);
    std::lock_guard<std::mutex> guard(State().lock);
    State().boxes.push_back({owner, text, caption, type, disabled});
    if (State().boxAnswers.empty()) return FirstButton(type);
    int answer = State().boxAnswers.front();
    State().boxAnswers.pop_front();
    return answer;
  }
  bool BrowseForFolder(HWND, const std::u16string& title, std::u16string* path) override {
    std::lock_guard<std::mutex> guard(State().lock);
    State().folderTitles.push_back(title);
    if (State().folderAnswers.empty()) return false;
    auto answer = State().folderAnswers.front();
    State().folderAnswers.pop_front();
    if (!answer) return false;
    *path = *answer;
    return true;
  }
  int ShowContextMenu(HWND, POINT, const std::vector<MenuItem>& items) override {
    std::lock_guard<std::mutex> guard(State().lock);
    State().menus.push_back(items);
    if (State().menuAnswers.empty()) return 0;
    int answer = State().menuAnswers.front();
    State().menuAnswers.pop_front();
    return answer;
  }
  void SetClipboardText(const std::u16string& text) override {
    std::lock_guard<std::mutex> guard(State().lock);
    State().clipboard = text;
  }
  bool GetClipboardText(std::u16string* text) override {
    std::lock_guard<std::mutex> guard(State().lock);
    if (!State().clipboard) return false;
    *text = *State().clipboard;
    return true;
  }
  bool RunsOnHostThread() const override { return false; }
  bool OwnsEventLoop() const override { return false; }
  void WaitForEvents(int) override {}
  void DispatchPendingEvents() override {}
  void Wake() override {}

 private:
  template <typename F>
  static void Set(F f) {
    std::lock_guard<std::mutex> guard(State().lock);
    f();
  }
};

// While a caption drag runs, the pointer moves the window instead of reaching it.
bool ContinueDrag(POINT screen, bool released) {
  Drag drag;
  {
    std::lock_guard<std::mutex> guard(State().lock);
    drag = State().drag;
    if (drag.window == nullptr) return false;
    if (released) State().drag = Drag{};
  }
  if (!released) {
    SetWindowPos(drag.window->hwnd, nullptr, drag.startRect.left + screen.x - drag.start.x,
                 drag.startRect.top + screen.y - drag.start.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

POINT Mouse() {
  std::lock_guard<std::mutex> guard(State().lock);
  return State().mouse;
}

WORD VkForChar(char16_t c, bool* shift) {
  *shift = false;
  if (c >= u'a' && c <= u'z') return static_cast<WORD>(c - u'a' + 'A');
  if (c >= u'A' && c <= u'Z') {
    *shift = true;
    return static_cast<WORD>(c);
  }
  if (c >= u'0' && c <= u'9') return static_cast<WORD>(c);
  switch (c) {
    case u' ': return VK_SPACE;
    case u'\r': return VK_RETURN;
    case u'\t': return VK_TAB;
    case u'\b': return VK_BACK;
    default: return 0;
  }
}

}  // namespace

Host* CreateHeadlessHost() { return new HeadlessHost(); }

namespace Headless {

void SetScreen(const RECT& screen, const RECT& workArea) {
  CurrentHost();
  std::lock_guard<std::mutex> guard(State().lock);
  State().screen = screen;
  State().work = workArea;
}

void MoveMouse(int x, int y) {
  POINT p{x, y};
  {
    std::lock_guard<std::mutex> guard(State().lock);
    State().mouse = p;
  }
  if (ContinueDrag(p, false)) return;
  InputMouseMove(nullptr, p);
}

void Button(MouseButton button, bool down) {
  POINT p = Mouse();
  if (!down && button == MouseButton::Left && ContinueDrag(p, true)) {
    InputMouseButton(nullptr, p, button, false);
    return;
  }
  InputMouseButton(nullptr, p, button, down);
}

void Click(int x, int y, MouseButton button) {
  MoveMouse(x, y);
  Button(button, true);
  Button(button, false);
}

void Wheel(int delta) { InputMouseWheel(nullptr, Mouse(), delta, false); }

void Key(WORD vk, bool down) { InputKey(vk, down, u""); }

void Type(const std::u16string& text) {
  for (char16_t c : text) {
    bool shift = false;
    WORD vk = VkForChar(c, &shift);
    if (vk == 0) {
      InputText(std::u16string(1, c));
      continue;
    }
    if (shift) InputKey(VK_SHIFT, true, u"");
    InputKey(vk, true, std::u16string(1, c));
    InputKey(vk, false, u"");
    if (shift) InputKey(VK_SHIFT, false, u"");
  }
}

void SwitchToOtherApplication() { DeactivateApplication(); }

uint32_t Pixel(HWND hwnd, int x, int y) {
  POINT offset{};
  cairo_surface_t* surface = WindowSurfaceForTesting(hwnd, &offset);
  if (surface == nullptr) return 0;
  cairo_surface_flush(surface);
  int sx = offset.x + x, sy = offset.y + y;
  uint32_t value = 0;
  if (sx >= 0 && sy >= 0 && sx < cairo_image_surface_get_width(surface) &&
      sy < cairo_image_surface_get_height(surface)) {
    const unsigned char* row = cairo_image_surface_get_data(surface) +
                               static_cast<ptrdiff_t>(sy) * cairo_image_surface_get_stride(surface);
    value = reinterpret_cast<const uint32_t*>(row)[sx];
  }
  cairo_surface_destroy(surface);
  return value;
}

std::vector<uint32_t> ClientPixels(HWND hwnd, SIZE* size) {
  *size = SIZE{};
  RECT client{};
  if (!GetClientRect(hwnd, &client)) return {};
  POINT offset{};
  cairo_surface_t* surface = WindowSurfaceForTesting(hwnd, &offset);
  if (surface == nullptr) return {};
  cairo_surface_flush(surface);
  *size = SIZE{client.right, client.bottom};
  std::vector<uint32_t> pixels(static_cast<size_t>(size->cx) * static_cast<size_t>(size->cy));
  int width = cairo_image_surface_get_width(surface);
  int height = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  for (int y = 0; y < size->cy; ++y) {
    int sy = offset.y + y;
    if (sy < 0 || sy >= height) continue;
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(sy) * stride);
    for (int x = 0; x < size->cx; ++x) {
      int sx = offset.x + x;
      if (sx >= 0 && sx < width) pixels[static_cast<size_t>(y) * size->cx + x] = row[sx];
    }
  }
  cairo_surface_destroy(surface);
  return pixels;
}

void AnswerMessageBox(int answer) {
  CurrentHost();
  std::lock_guard<std::mutex> guard(State().lock);
  State().boxAnswers.push_back(answer);
}

std::vector<MessageBoxShown> TakeMessageBoxes() {
  std::lock_guard<std::mutex> guard(State().lock);
  return std::exchange(State().boxes, {});
}

void AnswerFolderBrowser(std::optional<std::u16string> path) {
  CurrentHost();
  std::lock_guard<std::mutex> guard(State().lock);
  State().folderAnswers.push_back(std::move(path));
}

void AnswerContextMenu(int id) {
  CurrentHost();
  std::lock_guard<std::mutex> guard(State().lock);
  State().menuAnswers.push_back(id);
}

std::vector<std::vector<MenuItem>> TakeContextMenus() {
  std::lock_guard<std::mutex> guard(State().lock);
  return std::exchange(State().menus, {});
}

std::vector<std::u16string> TakeFolderBrowserTitles() {
  std::lock_guard<std::mutex> guard(State().lock);
  return std::exchange(State().folderTitles, {});
}

HostView View(HWND hwnd) {
  std::lock_guard<std::mutex> guard(State().lock);
  auto it = State().windows.find(hwnd);
  return it == State().windows.end() ? HostView{} : it->second->view;
}

int CursorShape() {
  std::lock_guard<std::mutex> guard(State().lock);
  return State().cursor;
}

bool RunUntilIdle() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return false;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

bool AdvanceClock(DWORD ms) {
  CurrentHost();
  uint64_t end = ClockNow() + ms;
  for (;;) {
    if (!RunUntilIdle()) return false;
    int next = MillisecondsToNextDeadline();
    uint64_t now = ClockNow();
    if (next < 0 || now + static_cast<uint64_t>(next) >= end) break;
    // A deadline that is already due was handled above; stepping by at least 1 ms keeps a
    // deadline that stays due (a blink of a window without pixels) from looping here.
    AdvanceVirtualClockTo(now + static_cast<uint64_t>(std::max(next, 1)));
    WakeAllQueues();
  }
  AdvanceVirtualClockTo(end);
  WakeAllQueues();
  return RunUntilIdle();
}

void Reset() {
  CurrentHost();
  ResetInputState();
  std::lock_guard<std::mutex> guard(State().lock);
  State().screen = kDefaultScreen;
  State().work = kDefaultWork;
  State().boxAnswers.clear();
  State().boxes.clear();
  State().folderAnswers.clear();
  State().folderTitles.clear();
  State().menuAnswers.clear();
  State().menus.clear();
  State().clipboard.reset();
  State().drag = Drag{};
}

}  // namespace Headless
}  // namespace Platform
