#pragma once
// Window class lookup shared by the class functions and window creation.

#include <memory>

#include "Platform/Window/WindowState.h"

namespace Platform {

// Under the lock: the class a window of this name and module gets: the module's own class,
// then a global class, then a system class.
std::shared_ptr<WindowClass> FindClassForWindowLocked(LPCWSTR name, HINSTANCE instance);

// Registers a class every module sees, as the system's own classes are. Used by the platform
// parts that provide such classes.
ATOM RegisterSystemClass(const WNDCLASSEXW& wc);
// Registers the system classes the platform itself provides (once).
void EnsureSystemClasses();

}  // namespace Platform
