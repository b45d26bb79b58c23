#pragma once
// The gallery's skin: an archive (markup, child markup, images) linked into the program as the
// "ZIPRES" resource 1. Start-up code, UI thread.

#include "Platform/Win32.h"

// Points the paint managers at the linked-in archive; false when the program carries none.
// The bytes stay where the loader put them for the whole process, as the managers require.
bool SelectGallerySkin();

// The archive entry that holds the window's markup.
inline constexpr WCHAR kGallerySkinMarkup[] = TEXT("skin.xml");
