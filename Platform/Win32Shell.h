#pragma once
// Types and constants of the Shell functions listed in Platform/Api/Shell.inc.

#include "Platform/Win32Types.h"
