#pragma once
// Part of Platform/Win32.h: the real Windows headers (see Win32.h beside this file).
#include "Platform/Win32.h"
