#include "Platform/Kernel/Clock.h"

#include <time.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace Platform {
namespace {

uint64_t MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

struct VirtualClock {
  bool on = false;
  std::atomic<uint64_t> now{0};
};

VirtualClock& Virtual() {
  static VirtualClock* clock = [] {
    auto* c = new VirtualClock();  // lives as long as the process
    const char* host = std::getenv("SKINUI_HOST");
    c->on = host != nullptr && std::strcmp(host, "headless") == 0;
    c->now = MonotonicMs();
    return c;
  }();
  return *clock;
}

}  // namespace

uint64_t ClockNow() {
  VirtualClock& v = Virtual();
  return v.on ? v.now.load() : MonotonicMs();
}

bool ClockIsVirtual() { return Virtual().on; }

void AdvanceVirtualClockTo(uint64_t when) {
  VirtualClock& v = Virtual();
  if (!v.on) return;
  uint64_t seen = v.now.load();
  while (seen < when && !v.now.compare_exchange_weak(seen, when)) {
  }
}

}  // namespace Platform
