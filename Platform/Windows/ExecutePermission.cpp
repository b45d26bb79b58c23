// Windows has no execute bits: any file may be started as a program, so there is nothing to add.
#include "Platform/Win32.h"
#include "Platform/Win32Ext.h"

namespace Platform {

bool AddExecutePermission(LPCWSTR, uint32_t) { return true; }

}  // namespace Platform
