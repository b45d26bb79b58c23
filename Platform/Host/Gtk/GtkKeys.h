#pragma once
// GDK key values as Windows virtual-key codes.

#include <gdk/gdk.h>

#include "Platform/Win32.h"

namespace Platform {

WORD VirtualKeyFromGdk(guint keyval);

}  // namespace Platform
