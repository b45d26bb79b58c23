#pragma once
// Helpers around the views of MapViewOfFile.

#include <cstdint>

namespace Platform {

// Takes the pages of [address, address + length) out of the process's resident memory when the
// range lies inside a read-only or shared view: reading them again brings the same bytes back
// from the mapped file. Only pages wholly inside the range are released. Any other range (a
// copy-on-write view, memory that is no view) is left alone. For readers that pass through a
// large view once.
void ReleaseViewPages(const void* address, uint64_t length);

}  // namespace Platform
