#pragma once
// Item identifier lists for file-system locations. Each list holds one item for the root
// ("C:\" or "\\server\share") and one per path component, so a list can be walked, measured and
// copied like a shell list; SHGetPathFromIDListW turns it back into the path.

#include <string>

#include "Platform/Win32.h"

namespace Platform {

// A new list (allocated with CoTaskMemAlloc, freed with ILFree or CoTaskMemFree) for an
// absolute Windows path; '/' is accepted as a separator. Null when the path is not absolute
// (no drive root or UNC share) or a component does not fit in one item.
LPITEMIDLIST CreateItemIdList(const std::u16string& windowsPath);

// The Windows path a list from CreateItemIdList stands for. False for the empty list and for
// anything that is not a well-formed file-system list.
bool ItemIdListPath(LPCITEMIDLIST pidl, std::u16string* path);

}  // namespace Platform
