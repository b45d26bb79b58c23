#pragma once
// Takes back an install that was cancelled or failed: what it created goes, newest first, and
// the install path recorded before it comes back. What was there before stays, and so does a
// folder that now holds something the install did not put there.

#include "setup/InstallOptions.h"

// Any thread; the install must no longer be writing.
void UndoInstall(InstallOptions& options);

// Removes one listed thing (a file, a link, a pin or an empty folder). False when it is still
// there; a thing already gone counts as removed.
bool RemoveListedThing(LPCWSTR installDir, const ManifestEntry& entry);
