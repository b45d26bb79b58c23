#pragma once
// The string types of the Win32 text the framework speaks: UTF-16 code units on every build
// (WCHAR is char16_t on the Linux platform and wchar_t on Windows).

#include <string>
#include <string_view>

#include "Platform/Win32.h"

using WString = std::basic_string<WCHAR>;
using WStringView = std::basic_string_view<WCHAR>;

// UTF-8 of the text, for messages of failed expectations.
std::string Utf8(WStringView text);
