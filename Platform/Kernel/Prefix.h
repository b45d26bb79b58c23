#pragma once
// The prefix: the folder that holds this user's drives (dosdevices/<letter>: links), drive C
// (drive_c) and the registry. It is $SKINUI_PREFIX when set, else $XDG_DATA_HOME/skinui, else
// ~/.local/share/skinui, and is created with its usual folders the first time it is asked for.
// The environment is read on every call, so a changed SKINUI_PREFIX takes effect at once.

#include <string>

#include "Platform/Kernel/FolderStamp.h"

namespace Platform {

// The process's working directory as a POSIX path ("/" when it cannot be read).
std::string CurrentDir();

// Absolute POSIX path of the prefix, without a trailing slash; created on first use.
std::string PrefixDir();

// The same, also giving the stamp of its drive-link folder (dosdevices), read on this call;
// a default stamp when that folder cannot be read.
std::string PrefixDir(FolderStamp* drives);

// The Windows user name used for C:\users\<name> (the login name, made safe for Windows).
std::u16string PrefixUserName();

// POSIX path of the user's private temporary folder (C:\users\<name>\AppData\Local\Temp).
// Returns false when it cannot be made private to this user (mode 0700, owned by us, not a link).
bool PrivateTempDir(std::string* posix);

}  // namespace Platform
