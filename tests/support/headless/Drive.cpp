// The test driver over the headless host: each call forwards, so a test means exactly what it
// meant when it drove the host directly.
#include "support/Drive.h"

#include "Platform/Host/Headless/Headless.h"
#include "Platform/Kernel/Modules.h"
#include "Platform/Kernel/Resources.h"

namespace Drive {

namespace Headless = Platform::Headless;

namespace {

Platform::MouseButton HostButton(MouseButton button) {
  switch (button) {
    case MouseButton::Right: return Platform::MouseButton::Right;
    case MouseButton::Middle: return Platform::MouseButton::Middle;
    case MouseButton::Left: break;
  }
  return Platform::MouseButton::Left;
}

}  // namespace

void SetScreen(const RECT& screen, const RECT& workArea) { Headless::SetScreen(screen, workArea); }
void MoveMouse(int x, int y) { Headless::MoveMouse(x, y); }
void Button(MouseButton button, bool down) { Headless::Button(HostButton(button), down); }
void Click(int x, int y, MouseButton button) { Headless::Click(x, y, HostButton(button)); }
void Wheel(int delta) { Headless::Wheel(delta); }
void Key(WORD vk, bool down) { Headless::Key(vk, down); }
void Type(WStringView text) { Headless::Type(WString(text)); }
void SwitchToOtherApplication() { Headless::SwitchToOtherApplication(); }

uint32_t Pixel(HWND hwnd, int x, int y) { return Headless::Pixel(hwnd, x, y); }
std::vector<uint32_t> ClientPixels(HWND hwnd, SIZE* size) {
  return Headless::ClientPixels(hwnd, size);
}

std::vector<MessageBoxShown> TakeMessageBoxes() {
  std::vector<MessageBoxShown> boxes;
  for (const Headless::MessageBoxShown& box : Headless::TakeMessageBoxes())
    boxes.push_back({box.owner, box.text, box.caption});
  return boxes;
}

int CursorShape() { return Headless::CursorShape(); }
bool HasWindowRegion(HWND hwnd) { return Headless::View(hwnd).shaped; }

bool RunUntilIdle() { return Headless::RunUntilIdle(); }
bool AdvanceClock(DWORD ms) { return Headless::AdvanceClock(ms); }
int Presents(HWND hwnd) { return Headless::View(hwnd).presents; }

bool AddResource(LPCWSTR type, LPCWSTR name, const void* data, size_t size) {
  return Platform::RegisterResource(Platform::ProgramModule(), type, name, data, size);
}
void RemoveResource(LPCWSTR type, LPCWSTR name) {
  Platform::RemoveResource(Platform::ProgramModule(), type, name);
}

void Reset() { Headless::Reset(); }

}  // namespace Drive
