#pragma once
// What one skinui-reg command line asks for:
//   query  KEY [/v NAME | /ve] [/s] [/reg:32 | /reg:64]
//   add    KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f] [/reg:32 | /reg:64]
//   delete KEY [/v NAME | /ve | /va] [/f] [/reg:32 | /reg:64]
// KEY starts with HKCU, HKLM, HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE. Options may be written
// with '/' or '-' and in any case.

#include <string>
#include <vector>

#include "Platform/Win32.h"

namespace RegTool {

enum class Verb { Query, Add, Delete };

struct RegRequest {
  Verb verb = Verb::Query;
  HKEY root = nullptr;
  std::u16string rootName;  // the full name, HKEY_...
  std::u16string subkey;
  bool oneValue = false;  // /v NAME or /ve
  std::u16string valueName;
  bool allValues = false;  // delete /va
  bool recurse = false;    // query /s
  DWORD type = REG_SZ;
  bool hasData = false;
  std::u16string data;
  char16_t separator = 0;  // REG_MULTI_SZ items in /d; 0 means the two characters "\0"
  bool force = false;
  REGSAM view = 0;  // KEY_WOW64_32KEY or KEY_WOW64_64KEY

  std::u16string KeyName() const { return subkey.empty() ? rootName : rootName + u"\\" + subkey; }
};

// Reads the arguments after the program name. False with *error for bad syntax.
bool ParseRequest(const std::vector<std::u16string>& args, RegRequest* request,
                  std::u16string* error);

}  // namespace RegTool
