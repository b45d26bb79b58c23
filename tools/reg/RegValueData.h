#pragma once
// Value types by name and value data to and from the text skinui-reg reads and prints.

#include <string>

#include "Platform/Win32.h"

namespace RegTool {

bool ParseTypeName(const std::u16string& name, DWORD* type);
std::u16string TypeName(DWORD type);

// The bytes to store for /d text of the type, as Windows reg stores them: strings with their
// terminator, REG_MULTI_SZ items split at the separator (0: the two characters "\0"), numbers in
// decimal or 0x hexadecimal, binary data as hexadecimal digits. False for text that does not
// fit the type.
bool EncodeData(DWORD type, const std::u16string& text, char16_t separator, std::string* bytes);

// The bytes as reg prints them. Strings stop at their first null, if any (stored strings may
// lack a terminator).
std::u16string FormatData(DWORD type, const std::string& bytes);

}  // namespace RegTool
