#pragma once
// Per-thread COM initialisation state behind CoInitializeEx and CoUninitialize.

namespace Platform {

// True when objects may be created on the calling thread: it has initialised COM, or some
// thread of the process holds the multithreaded apartment (which every thread may then use).
bool ComUsableOnThisThread();

}  // namespace Platform
