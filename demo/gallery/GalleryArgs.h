#pragma once
// The gallery's command line: Gallery [--date yyyy-mm-dd] [lifetime-ms].
//
// --date fixes the date the date page shows (otherwise today), so that pictures of the page
// stay the same from one day to the next; lifetime-ms closes the window after that many
// milliseconds (0 or absent: it stays until closed).

#include <string>

#include "Platform/Win32.h"

struct GalleryArgs {
  UINT nLifetimeMs = 0;
  bool bHasDate = false;
  SYSTEMTIME stDate = {};  // meaningful only when bHasDate
};

// False, with a one-line reason in sError, for an unknown option, a missing value, a lifetime
// that is not a plain decimal number or a date that does not exist.
bool ParseGalleryArgs(int argc, const char* const* argv, GalleryArgs& args, std::string& sError);

// Reads exactly "yyyy-mm-dd" (four, two and two digits) naming a real day of the years
// 1601..9999; fills the date fields and the day of the week and clears the time of day.
bool ParseIsoDate(const char* pszText, SYSTEMTIME& st);
