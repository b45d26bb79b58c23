#pragma once
// The Win32 subset this system runs on. Framework and installer code includes this header and
// nothing from the operating system.

#include "Platform/Win32CommCtrl.h"
#include "Platform/Win32Errors.h"
#include "Platform/Win32Gdi.h"
#include "Platform/Win32Kernel.h"
#include "Platform/Win32Registry.h"
#include "Platform/Win32Shell.h"
#include "Platform/Win32Text.h"
#include "Platform/Win32Types.h"
#include "Platform/Win32Window.h"

#define WIN32_FN(module, ret, name, params) ret WINAPI name params;
#include "Platform/Win32Api.inc"
#undef WIN32_FN
