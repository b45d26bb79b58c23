#pragma once
// GDK key values as the Windows virtual-key codes of key messages (generic codes for the
// modifiers: VK_SHIFT, VK_CONTROL, VK_MENU).

#include <gdk/gdk.h>

#include "Platform/Win32.h"

namespace Platform {

WORD VirtualKeyFromGdk(guint keyval);

}  // namespace Platform
