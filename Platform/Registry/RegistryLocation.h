#pragma once
// Where the registry of the current prefix lives, and the open store for it.

#include <memory>
#include <string>

#include "Platform/Registry/RegistryStore.h"

namespace Platform {

// POSIX path of the registry database file of the current prefix.
std::string RegistryDatabasePath();

// The store of the current prefix, opened on first use and again whenever the prefix changes.
// Null with *error set when the database cannot be opened.
std::shared_ptr<RegistryStore> CurrentRegistryStore(DWORD* error);

}  // namespace Platform
