// The user-interface language of a thread: what the system's own dialogs speak to it. A
// thread starts with the user's language, taken from the locale of messages
// (LC_ALL, LC_MESSAGES, LANG): Chinese for "zh...", English otherwise.
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "Platform/Win32.h"

namespace {

LANGID UserLanguage() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == 0) continue;
    if (std::strncmp(value, "zh", 2) == 0)
      return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    break;
  }
  return MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT);
}

thread_local LANGID t_language = 0;

}  // namespace

LANGID WINAPI SetThreadUILanguage(LANGID LangId) {
  t_language = LangId;
  return GetThreadUILanguage();
}

LANGID WINAPI GetThreadUILanguage() { return t_language != 0 ? t_language : UserLanguage(); }
