#pragma once
// Types and constants of the Shell functions listed in Platform/Api/Shell.inc.

#include "Platform/Win32Types.h"

// An item identifier list: a run of SHITEMIDs, each starting with its own byte count, ended by
// a count of zero. Byte-packed as on Windows.
#pragma pack(push, 1)
typedef struct _SHITEMID {
  USHORT cb;
  BYTE abID[1];
} SHITEMID, *LPSHITEMID;
typedef const SHITEMID* LPCSHITEMID;

typedef struct _ITEMIDLIST {
  SHITEMID mkid;
} ITEMIDLIST, *LPITEMIDLIST;
#pragma pack(pop)
typedef const ITEMIDLIST* LPCITEMIDLIST;
typedef ITEMIDLIST* PIDLIST_ABSOLUTE;
typedef const ITEMIDLIST* PCIDLIST_ABSOLUTE;
