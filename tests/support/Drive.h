#pragma once
// Driving windows from tests as a user would: input, the screen, pixels, message boxes and the
// message loop, all on the calling (UI) thread. On Linux this forwards to the headless host; on
// Windows input goes through the system's own queue (SendInput), so hit testing, capture and
// activation are the system's, and pixels are read back from the window.

#include <cstdint>
#include <vector>

#include "Platform/Win32.h"
#include "support/WideString.h"

namespace Drive {

enum class MouseButton { Left, Right, Middle };

// The screen and its work area. Windows keeps its real screen: there this does nothing, and a
// test whose outcome depends on the screen's size is Linux-only.
void SetScreen(const RECT& screen, const RECT& workArea);

void MoveMouse(int x, int y);  // screen coordinates
void Button(MouseButton button, bool down);
void Click(int x, int y, MouseButton button = MouseButton::Left);
void Wheel(int delta);  // in WHEEL_DELTA units, positive away from the user
void Key(WORD vk, bool down);
// Presses and releases the keys that type the text (letters, digits, space, Enter, Tab,
// Backspace, with Shift where the keyboard wants it).
void Type(WStringView text);
// The user switches to another program: this one's windows lose activation and focus.
void SwitchToOtherApplication();

// The pixel at a client point of a window as 0xAARRGGBB (0 outside the client area).
uint32_t Pixel(HWND hwnd, int x, int y);
// All client pixels, row by row from the top; size gets the client size. Empty for a window
// without pixels (hidden, gone).
std::vector<uint32_t> ClientPixels(HWND hwnd, SIZE* size);

struct MessageBoxShown {
  HWND owner;
  WString text;
  WString caption;
};
// The message boxes shown since the last call; each was answered with its first button.
std::vector<MessageBoxShown> TakeMessageBoxes();

// The standard cursor id (IDC_*) last set, 0 for none or another cursor.
int CursorShape();
// Whether a window has a window region (SetWindowRgn).
bool HasWindowRegion(HWND hwnd);

// Dispatches the calling thread's messages (paints included) until none is left. Returns false
// when WM_QUIT came (it is consumed).
bool RunUntilIdle();

// Moves the clock that timers, hover tracking, double clicks and the caret follow, as an idle
// message loop would live through ms. Only the headless host has such a clock; elsewhere the
// call fails the running test (list such a test as Linux-only).
bool AdvanceClock(DWORD ms);
// How many times a window's pixels were presented to the screen; only the headless host counts
// them (elsewhere the call fails the running test).
int Presents(HWND hwnd);

// Resources of the program's own module added and removed at run time. Only the headless host
// can do that (Windows links resources at build time); elsewhere the call fails the running test.
bool AddResource(LPCWSTR type, LPCWSTR name, const void* data, size_t size);
void RemoveResource(LPCWSTR type, LPCWSTR name);

// Back to the defaults between tests: buttons and keys up, boxes forgotten.
void Reset();

}  // namespace Drive
