#pragma once
// Types and constants of the Gdi functions listed in Platform/Api/Gdi.inc.

#include "Platform/Win32Types.h"
