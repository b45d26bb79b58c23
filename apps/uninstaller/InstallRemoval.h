#pragma once
// Undoing an install from its list (setup/InstallManifest.h): newest entry first, files and
// shortcuts deleted, pins taken off, folders removed only once they are empty, so that whatever
// the user put into them later stays with the folders that hold it.

#include <vector>

#include "setup/InstallManifest.h"

struct RemovalCounts {
  int nRemoved = 0;  // entries gone (also those that were gone already)
  int nKept = 0;     // entries left: folders holding the user's files, files that refused
};

// `installDir` ends with a backslash. The file `deferred` (the running uninstaller) is not
// touched, so that it can go last; a listed folder that holds only it stays too.
RemovalCounts RemoveListedItems(LPCWSTR installDir, const std::vector<ManifestEntry>& entries,
                                LPCWSTR deferred);

// Whether the list says the install created the install folder itself.
bool ListsInstallFolder(LPCWSTR installDir, const std::vector<ManifestEntry>& entries);

// Deletes the running program's own file, and then the install folder when `removeFolder` and
// it is empty. Where a running program cannot be deleted (Windows), both are left to be
// removed when the system starts next. False when neither worked.
bool RemoveSelfLast(LPCWSTR selfPath, LPCWSTR installDir, bool removeFolder);
