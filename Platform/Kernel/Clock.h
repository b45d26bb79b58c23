#pragma once
// The millisecond clock behind GetTickCount, GetTickCount64, message times, timers, hover
// tracking, double clicks and the caret blink.
//
// Under the headless host (SKINUI_HOST=headless) the clock is virtual: it starts at the real
// monotonic time of its first reading and then stands still. It moves only when a test
// advances it (Platform::Headless::AdvanceClock) or when a thread blocks for a message with
// only a deadline of its own ahead (a timer, hover, the caret blink): that thread waits the
// real time it would have waited and then moves the clock to the deadline, so that programs
// driven by GetMessage still see their timers come. Sleep and the waits of kernel objects keep
// real time. Elsewhere the clock is CLOCK_MONOTONIC. Every function is thread-safe.

#include <cstdint>

namespace Platform {

// Milliseconds since an arbitrary start; never goes back.
uint64_t ClockNow();
// True when the clock is the headless host's virtual one (decided once, on first use).
bool ClockIsVirtual();
// Virtual clock only (otherwise ignored): moves it forward to `when`; an earlier time leaves
// it where it is.
void AdvanceVirtualClockTo(uint64_t when);

}  // namespace Platform
