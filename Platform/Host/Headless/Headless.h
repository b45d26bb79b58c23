#pragma once
// Driving the headless host from tests: input, the screen, dialog answers, window pixels and
// the message loop.

#include <optional>
#include <string>
#include <vector>

#include "Platform/Host/MenuItem.h"
#include "Platform/Win32.h"
#include "Platform/Window/Input.h"

namespace Platform::Headless {

void SetScreen(const RECT& screen, const RECT& workArea);

void MoveMouse(int x, int y);  // screen coordinates
void Button(MouseButton button, bool down);
void Click(int x, int y, MouseButton button = MouseButton::Left);
void Wheel(int delta);
void Key(WORD vk, bool down);
// Presses and releases the keys that type text (letters, digits, space, Enter, Tab,
// Backspace); other characters arrive as input-method text.
void Type(const std::u16string& text);
// The user switches to another program, as a click on another application's window would.
void SwitchToOtherApplication();

// The premultiplied 0xAARRGGBB pixel at a client point of a window (0 outside).
uint32_t Pixel(HWND hwnd, int x, int y);
// All pixels of a window's client area, row by row from the top, in the same form; size gets
// the client size. Empty for a window without pixels (hidden, gone).
std::vector<uint32_t> ClientPixels(HWND hwnd, SIZE* size);

struct MessageBoxShown {
  HWND owner;
  std::u16string text;
  std::u16string caption;
  UINT type;
  bool ownerWasDisabled;
};
// Answers for the next message boxes, in order; without one a box answers its first button.
void AnswerMessageBox(int answer);
std::vector<MessageBoxShown> TakeMessageBoxes();

// The next folder browser returns this Windows path (nullopt: cancelled, also the default).
void AnswerFolderBrowser(std::optional<std::u16string> path);
std::vector<std::u16string> TakeFolderBrowserTitles();

// The next shortcut menu answers this item id (0: dismissed, also the default); the menus shown
// so far, each as its items.
void AnswerContextMenu(int id);
std::vector<std::vector<MenuItem>> TakeContextMenus();

// What the host shows for a top-level window.
struct HostView {
  bool exists = false;
  bool visible = false;
  bool minimized = false;
  bool keepAbove = false;
  BYTE opacity = 255;
  bool shaped = false;
  RECT rect{};
  std::u16string title;
  int presents = 0;
  int resizeEdge = 0;  // the WMSZ_ edge of the last sizing drag begun, 0 for none
};
HostView View(HWND hwnd);
int CursorShape();  // the standard cursor id last set, 0 for none

// Dispatches the calling thread's messages (WM_PAINT included, timers that are due) until none
// is left. Returns false when WM_QUIT came (it is consumed).
bool RunUntilIdle();

// The virtual clock (see Platform/Kernel/Clock.h): under the headless host GetTickCount,
// message times, timers, hover tracking, double clicks and the caret blink follow it, and it
// stands still unless moved. AdvanceClock moves it forward by ms as an idle message loop of
// the calling thread would live through that time: it dispatches the waiting messages, then
// steps the clock to each timer, hover or blink deadline of the calling thread that falls
// within ms and dispatches what became due, and finally dispatches at the end time. Other
// threads that wait for messages are woken to look at the new time. Returns false when
// WM_QUIT came (it is consumed and the clock stops there).
bool AdvanceClock(DWORD ms);

// Restores the defaults between tests: screen, dialog answers, mouse buttons and keys up.
void Reset();

}  // namespace Platform::Headless
