#pragma once
// Where the hosts hand user input to the window manager. Points are in screen coordinates; top
// names the top-level window the host saw the event in (null: whichever window is under the
// point). Each call turns the event into the messages Windows would queue for it.

#include <string>

#include "Platform/Win32.h"

namespace Platform {

enum class MouseButton { Left, Right, Middle };

void InputMouseMove(HWND top, POINT screen);
void InputMouseButton(HWND top, POINT screen, MouseButton button, bool down);
// delta in WHEEL_DELTA units (120 per notch), positive away from the user.
void InputMouseWheel(HWND top, POINT screen, int delta, bool horizontal);
// The pointer left every window of this process.
void InputMouseLeft();
// chars: what TranslateMessage makes of this key-down (empty for none).
void InputKey(WORD vk, bool down, const std::u16string& chars);
// Text the input method committed without a key of its own.
void InputText(const std::u16string& text);

// All keys and buttons up, no mouse tracking (between tests).
void ResetInputState();

// Whether a virtual key is down right now (for hosts that synthesise modifier state).
bool KeyIsDown(WORD vk);

}  // namespace Platform
