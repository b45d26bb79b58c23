#pragma once
// Types and constants of the Window functions listed in Platform/Api/Window.inc.

#include "Platform/Win32Types.h"
