#pragma once
// Windows attribute bits that POSIX has no place for (hidden, system, archive, ...). They live in
// the extended attribute "user.DOSATTRIB" (the name Linux file servers use for DOS attributes,
// value "0x<hex>"). File systems without user extended attributes (ramfs, some FUSE and network
// file systems) get a per-folder list ".skinui-attributes" instead: it stays with the folder when
// the folder is moved or copied, and needs no central record that could go stale when files are
// changed by other programs. Read-only is not stored: it is the owner's write permission.

#include <string>

#include "Platform/Win32Types.h"

namespace Platform {

// The bits kept here.
DWORD StoredAttributeMask();

// The stored bits of a file or folder; the default (archive for files, nothing for folders)
// when nothing is stored.
DWORD ReadStoredAttributes(const std::string& posix, bool isDirectory);

// Stores the bits (masked); storing the default removes the record. Returns 0 or an errno value.
int WriteStoredAttributes(const std::string& posix, bool isDirectory, DWORD bits);

// The same through an open descriptor of the file (used right after creating it).
int WriteStoredAttributesFd(int fd, const std::string& posix, DWORD bits);

// Drops any record kept in a folder list for a file that is gone.
void ForgetStoredAttributes(const std::string& posix);

}  // namespace Platform
