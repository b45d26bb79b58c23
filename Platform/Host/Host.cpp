#include "Platform/Host/Host.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "Platform/Window/MessageQueue.h"

namespace Platform {
namespace {

std::atomic<Host*> g_host{nullptr};
std::thread::id g_hostThread;
std::atomic<DWORD> g_hostThreadId{0};
std::once_flag g_hostOnce;

Host* StartHost() {
  const char* choice = std::getenv("SKINUI_HOST");
  if (choice != nullptr && std::strcmp(choice, "headless") == 0) return CreateHeadlessHost();
  if (choice != nullptr && *choice != '\0' && std::strcmp(choice, "gtk") != 0) {
    std::fprintf(stderr, "SkinUI: unknown SKINUI_HOST \"%s\" (use \"gtk\" or \"headless\")\n",
                 choice);
    std::exit(1);
  }
  Host* host = CreateGtkHost();
  if (host == nullptr) {
    std::fprintf(stderr,
                 "SkinUI: cannot open a display for the GTK host; set DISPLAY or "
                 "WAYLAND_DISPLAY, or run with SKINUI_HOST=headless\n");
    std::exit(1);
  }
  return host;
}

}  // namespace

Host& CurrentHost() {
  std::call_once(g_hostOnce, [] {
    g_hostThread = std::this_thread::get_id();
    g_hostThreadId = CurrentThreadIdValue();
    CurrentQueue();
    g_host = StartHost();
  });
  return *g_host.load();
}

DWORD HostThreadId() { return g_hostThreadId.load(); }

Host* StartedHost() { return g_host.load(); }

bool HostStartedOnThisThread() {
  return g_host.load() != nullptr && std::this_thread::get_id() == g_hostThread;
}

bool OnHostThread() {
  CurrentHost();
  return std::this_thread::get_id() == g_hostThread;
}

}  // namespace Platform
