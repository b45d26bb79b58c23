// Releasing a view's pages on Windows: unlocking pages that are not locked takes them out of the
// process's working set, and a read-only view of a file brings them back from the file.
#include "Platform/Win32.h"
#include "Platform/Win32Ext.h"

namespace Platform {

void ReleaseViewPages(const void* address, uint64_t length) {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  const uintptr_t page = system.dwPageSize;
  const uintptr_t start = reinterpret_cast<uintptr_t>(address);
  if (length > UINTPTR_MAX - start) return;
  const uintptr_t first = (start + page - 1) / page * page;
  const uintptr_t end = (start + static_cast<uintptr_t>(length)) / page * page;
  if (end <= first) return;
  MEMORY_BASIC_INFORMATION region;
  if (VirtualQuery(reinterpret_cast<void*>(first), &region, sizeof region) != sizeof region) return;
  // Only a read-only view of a file, and only within the one region the query describes.
  const uintptr_t regionEnd = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
  if (region.Type != MEM_MAPPED || region.State != MEM_COMMIT || region.Protect != PAGE_READONLY ||
      end > regionEnd)
    return;
  // Fails with ERROR_NOT_LOCKED after doing just that.
  VirtualUnlock(reinterpret_cast<void*>(first), end - first);
}

}  // namespace Platform
