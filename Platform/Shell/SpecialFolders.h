#pragma once
// The shell's special folders, as Windows paths into the prefix's drive C.

#include <string>

#include "Platform/Win32.h"

namespace Platform {

// The Windows path of a CSIDL (flag bits ignored); false for ones this layer does not know.
bool SpecialFolderPath(int csidl, std::u16string* path);

// The path of a known CSIDL, with its folder made when missing (as every Windows system has
// them). S_OK, E_INVALIDARG for an unknown CSIDL, or the failure to make the folder.
HRESULT ExistingSpecialFolder(int csidl, std::u16string* path);

}  // namespace Platform
