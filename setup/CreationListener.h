#pragma once
// Told of each thing an install step creates, so the install can list it for its undo and the
// uninstaller (InstallManifest.h). Called on the thread that creates it.

#include "setup/InstallManifest.h"

class CreationListener {
 public:
  // `path` is absolute. `createdNow` is false for a file that existed and was overwritten.
  virtual void Created(ManifestKind kind, LPCWSTR path, bool createdNow) = 0;

 protected:
  ~CreationListener() = default;
};
