#pragma once
// Types and constants of the Registry functions listed in Platform/Api/Registry.inc.

#include "Platform/Win32Types.h"
