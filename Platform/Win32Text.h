#pragma once
// Code pages and flags of the text functions.

#include <cstdarg>  // va_list of the wvsprintfW family

#define CP_ACP 0u  // the ANSI code page is UTF-8 here
#define CP_OEMCP 1u
#define CP_UTF8 65001u

#define MB_PRECOMPOSED 0x00000001u
#define MB_ERR_INVALID_CHARS 0x00000008u
#define WC_ERR_INVALID_CHARS 0x00000080u
#define WC_NO_BEST_FIT_CHARS 0x00000400u

// Results of CompareStringOrdinal (0 means failure).
#define CSTR_LESS_THAN 1
#define CSTR_EQUAL 2
#define CSTR_GREATER_THAN 3
