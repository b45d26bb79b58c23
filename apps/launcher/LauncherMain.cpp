// PlayCrate: the installed product's launcher. It records how it was started, then shows its
// window until the user closes it. PLAYCRATE_LIFETIME_MS in the environment closes the window
// after that many milliseconds, for programs and tests that start the launcher unattended.
#include <cstdlib>

#include "apps/launcher/LaunchLog.h"
#include "apps/launcher/LauncherWnd.h"

namespace {

UINT LifetimeFromEnvironment() {
  const char* value = std::getenv("PLAYCRATE_LIFETIME_MS");
  if (value == nullptr) return 0;
  char* end = nullptr;
  unsigned long ms = std::strtoul(value, &end, 10);
  return end != value && *end == 0 && ms <= 0x7FFFFFFF ? static_cast<UINT>(ms) : 0;
}

int RunLauncher(HINSTANCE hInstance, UINT nLifetimeMs) {
  SkinUI::CPaintManagerUI::SetInstance(hInstance);
  auto* pWindow = new CLauncherWnd(nLifetimeMs);
  HWND hWnd = pWindow->Create(nullptr, kLauncherWindowTitle, WS_POPUP | WS_VISIBLE, 0, 0, 0, 440,
                              260, nullptr);
  if (hWnd == nullptr) {
    delete pWindow;
    return 1;
  }
  pWindow->CenterOnOwner();
  ShowWindow(hWnd, SW_SHOWNORMAL);
  SkinUI::CPaintManagerUI::MessageLoop();
  delete pWindow;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  AppendLaunchLog(argc, argv);
  return RunLauncher(GetModuleHandleW(nullptr), LifetimeFromEnvironment());
}
