#pragma once
// Types and constants of the Kernel functions listed in Platform/Api/Kernel.inc.

#include "Platform/Win32Types.h"
