#pragma once
// Undoing an install from its list (apps/uninstaller/UninstallManifest.h): newest entry first,
// files and shortcuts deleted, pins taken off, folders removed only once they are empty, so
// that whatever the user put into them later stays with the folders that hold it.

#include "apps/uninstaller/UninstallManifest.h"

struct RemovalCounts {
  int nRemoved = 0;  // entries gone (also those that were gone already)
  int nKept = 0;     // entries left: folders holding the user's files, files that refused
};

// `installDir` ends with a backslash. The file `deferred` (the running uninstaller) is not
// touched, so that it can go last; a listed folder that holds only it stays too.
RemovalCounts RemoveListedItems(LPCWSTR installDir, const ManifestEntries& entries,
                                LPCWSTR deferred);

// Deletes the running program's own file, and then the install folder when it is empty and
// the list says the install created it. Where a running program cannot be deleted (Windows),
// both are left to be removed when the system starts next. False when neither worked.
bool RemoveSelfLast(LPCWSTR selfPath, LPCWSTR installDir, bool removeFolder);
