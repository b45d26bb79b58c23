#pragma once
// Pinning to the taskbar and the start menu: a pinned item is a shortcut kept in the user's
// "User Pinned\TaskBar" or "User Pinned\StartMenu" folder, as Windows 7 keeps them.

#include <string>

#include "Platform/Win32.h"

namespace Platform {

enum class PinPlace { TaskBar, StartMenu };

// The Windows path of the folder (made when missing).
HRESULT PinnedFolder(PinPlace place, std::u16string* folder);

// Pins a shortcut (a copy of it) or any other file (a new shortcut to it). A Win32 error:
// ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND for a missing file, ERROR_BAD_FORMAT for a
// shortcut that cannot be read, ERROR_NO_ASSOCIATION for a folder.
DWORD PinItem(const std::u16string& file, PinPlace place);

// Removes the pinned shortcuts that lead where the given shortcut (or file) leads.
// ERROR_NO_ASSOCIATION when nothing of it is pinned there.
DWORD UnpinItem(const std::u16string& file, PinPlace place);

}  // namespace Platform
