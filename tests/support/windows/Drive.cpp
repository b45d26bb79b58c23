// The test driver on Windows: input goes through the system's queue (SetCursorPos and SendInput),
// so the system picks the window under the pointer, honours capture and activates on click as it
// would for a user; message boxes are answered by a CBT hook on the test thread; pixels are read
// back from the window's device context.
#include "support/Drive.h"

#include <gtest/gtest.h>

#include <thread>

namespace Drive {

namespace {

struct OtherApplication {
  std::thread thread;
  DWORD threadId = 0;
  HWND window = nullptr;
};

struct State {
  std::vector<MessageBoxShown> boxes;
  std::vector<MouseButton> buttonsDown;
  std::vector<WORD> keysDown;
  OtherApplication other;
};

State& Current() {
  static State state;
  return state;
}

WString WindowText(HWND hwnd) {
  WCHAR buffer[1024] = {};
  const int length = GetWindowTextW(hwnd, buffer, 1024);
  return WString(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

// A message box is a dialog whose text is the static control 0xFFFF; it is answered with its
// first button, as the headless host answers a box nobody scripted.
LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    WCHAR kind[16] = {};
    GetClassNameW(box, kind, 16);
    HWND text = GetDlgItem(box, 0xFFFF);
    HWND first = FindWindowExW(box, nullptr, TEXT("Button"), nullptr);
    if (lstrcmpW(kind, TEXT("#32770")) == 0 && text != nullptr && first != nullptr) {
      Current().boxes.push_back({GetWindow(box, GW_OWNER), WindowText(text), WindowText(box)});
      const int id = GetDlgCtrlID(first);
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(first));
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Installed as the program starts, on the thread that runs the tests.
const HHOOK g_boxHook = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());

void SendOne(INPUT input) { SendInput(1, &input, sizeof(INPUT)); }

DWORD ButtonFlag(MouseButton button, bool down) {
  switch (button) {
    case MouseButton::Right: return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case MouseButton::Middle: return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    case MouseButton::Left: break;
  }
  return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
}

template <typename T>
void Remember(std::vector<T>& held, T value, bool down) {
  std::erase(held, value);
  if (down) held.push_back(value);
}

void RunOtherApplication(HANDLE ready) {
  OtherApplication& other = Current().other;
  other.window =
      CreateWindowExW(WS_EX_TOOLWINDOW, TEXT("STATIC"), TEXT("other application"),
                      WS_POPUP | WS_VISIBLE, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
  other.threadId = GetCurrentThreadId();
  SetEvent(ready);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  DestroyWindow(other.window);
}

void EndOtherApplication() {
  OtherApplication& other = Current().other;
  if (!other.thread.joinable()) return;
  PostThreadMessageW(other.threadId, WM_QUIT, 0, 0);
  other.thread.join();
  other = OtherApplication{};
}

const int kStandardCursors[] = {32512, 32513, 32514, 32515, 32516, 32642, 32643,
                                32644, 32645, 32646, 32648, 32649, 32650, 32651};

}  // namespace

void SetScreen(const RECT&, const RECT&) {}

void MoveMouse(int x, int y) { SetCursorPos(x, y); }

void Button(MouseButton button, bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = ButtonFlag(button, down);
  SendOne(input);
  Remember(Current().buttonsDown, button, down);
}

void Click(int x, int y, MouseButton button) {
  MoveMouse(x, y);
  Button(button, true);
  Button(button, false);
}

void Wheel(int delta) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  input.mi.mouseData = static_cast<DWORD>(delta);
  SendOne(input);
}

void Key(WORD vk, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendOne(input);
  Remember(Current().keysDown, vk, down);
}

void Type(WStringView text) {
  for (WCHAR c : text) {
    const SHORT scan = VkKeyScanW(c);
    if (scan == -1) {
      ADD_FAILURE() << "no key types U+" << std::hex << static_cast<unsigned>(c);
      continue;
    }
    const WORD vk = LOBYTE(scan);
    const bool shift = (HIBYTE(scan) & 1) != 0;
    if (shift) Key(VK_SHIFT, true);
    Key(vk, true);
    Key(vk, false);
    if (shift) Key(VK_SHIFT, false);
  }
}

void SwitchToOtherApplication() {
  OtherApplication& other = Current().other;
  if (!other.thread.joinable()) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    other.thread = std::thread(RunOtherApplication, ready);
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
  }
  SetForegroundWindow(other.window);
  RunUntilIdle();
}

std::vector<uint32_t> ClientPixels(HWND hwnd, SIZE* size) {
  RECT client{};
  if (!IsWindowVisible(hwnd) || !GetClientRect(hwnd, &client) || client.right <= 0 ||
      client.bottom <= 0)
    return {};
  const int width = client.right, height = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib == nullptr) return {};
  HDC window = GetDC(hwnd);
  HDC memory = CreateCompatibleDC(window);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* first = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> pixels(first, first + static_cast<size_t>(width) * height);
  // What the screen shows of the window: opaque inside its region, nothing outside.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool shaped = GetWindowRgn(hwnd, region) != ERROR;
  POINT origin{};
  ClientToScreen(hwnd, &origin);
  RECT frame{};
  GetWindowRect(hwnd, &frame);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t& pixel = pixels[static_cast<size_t>(y) * width + x];
      const bool shown =
          !shaped || PtInRegion(region, x + origin.x - frame.left, y + origin.y - frame.top);
      pixel = shown ? pixel | 0xFF000000u : 0;
    }
  }
  DeleteObject(region);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(hwnd, window);
  DeleteObject(dib);
  if (size != nullptr) *size = SIZE{width, height};
  return pixels;
}

uint32_t Pixel(HWND hwnd, int x, int y) {
  SIZE size{};
  const std::vector<uint32_t> pixels = ClientPixels(hwnd, &size);
  if (x < 0 || y < 0 || x >= size.cx || y >= size.cy) return 0;
  return pixels[static_cast<size_t>(y) * size.cx + x];
}

std::vector<MessageBoxShown> TakeMessageBoxes() {
  EXPECT_NE(g_boxHook, nullptr) << "the message-box hook is missing";
  return std::exchange(Current().boxes, {});
}

int CursorShape() {
  HCURSOR current = GetCursor();
  if (current == nullptr) return 0;
  for (int id : kStandardCursors)
    if (LoadCursorW(nullptr, MAKEINTRESOURCEW(id)) == current) return id;
  return 0;
}

bool HasWindowRegion(HWND hwnd) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(hwnd, region);
  DeleteObject(region);
  return kind != ERROR;
}

bool RunUntilIdle() {
  MSG msg;
  // Also takes what the window system delivers meanwhile (exposures, focus), which arrives with
  // the next look at the queue.
  for (int quiet = 0; quiet < 2;) {
    bool any = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return false;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      any = true;
    }
    quiet = any ? 0 : quiet + 1;
    if (!any) MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  return true;
}

bool AdvanceClock(DWORD) {
  ADD_FAILURE() << "Windows has no clock a test can move (list the test as Linux-only)";
  return false;
}

int Presents(HWND) {
  ADD_FAILURE() << "only the headless host counts presents (list the test as Linux-only)";
  return 0;
}

bool AddResource(LPCWSTR, LPCWSTR, const void*, size_t) {
  ADD_FAILURE() << "Windows links resources at build time (list the test as Linux-only)";
  return false;
}

void RemoveResource(LPCWSTR, LPCWSTR) {}

void Reset() {
  State& state = Current();
  for (MouseButton button : std::vector<MouseButton>(state.buttonsDown)) Button(button, false);
  for (WORD vk : std::vector<WORD>(state.keysDown)) Key(vk, false);
  EndOtherApplication();
  // The pointer waits in the screen's far corner, away from the windows tests open.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  RunUntilIdle();
  state.boxes.clear();
}

}  // namespace Drive
