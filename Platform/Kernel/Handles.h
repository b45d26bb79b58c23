#pragma once
// Kernel objects behind HANDLE values. A handle names a reference to an object; the object
// lives while any handle or internal user (a running thread, a mapped view) still holds it.
// Handle values are never reused within a process, so a stale handle fails cleanly with
// ERROR_INVALID_HANDLE instead of reaching a newer object.

#include <memory>

#include "Platform/Win32Types.h"

namespace Platform {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

// Registers a new handle for the object.
HANDLE InsertHandle(std::shared_ptr<KernelObject> object);

// The object behind a handle, or null with ERROR_INVALID_HANDLE.
std::shared_ptr<KernelObject> LookupHandle(HANDLE handle);

// The object behind a handle when it has type T, or null with ERROR_INVALID_HANDLE.
template <class T>
std::shared_ptr<T> LookupHandleAs(HANDLE handle);

// Drops a handle; false (with ERROR_INVALID_HANDLE) for an unknown one.
bool RemoveHandle(HANDLE handle);

void SetInvalidHandleError();

template <class T>
std::shared_ptr<T> LookupHandleAs(HANDLE handle) {
  std::shared_ptr<KernelObject> object = LookupHandle(handle);
  if (!object) return nullptr;
  std::shared_ptr<T> typed = std::dynamic_pointer_cast<T>(object);
  if (!typed) SetInvalidHandleError();
  return typed;
}

}  // namespace Platform
