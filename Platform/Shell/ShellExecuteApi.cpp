// ShellExecuteW: the verbs this shell carries out, each request recorded in the verb log.
#include <string>

#include "Platform/Shell/Pins.h"
#include "Platform/Shell/ShellOpen.h"
#include "Platform/Shell/ShellVerbLog.h"
#include "Platform/Text/AsciiText.h"
#include "Platform/Win32Ext.h"

namespace {

enum class Verb { Open, TaskbarPin, TaskbarUnpin, StartPin, StartUnpin, Unknown };

Verb ParseVerb(LPCWSTR operation) {
  std::u16string verb = Platform::AsciiLowered(operation ? operation : u"");
  if (verb.empty() || verb == u"open") return Verb::Open;
  if (verb == u"taskbarpin") return Verb::TaskbarPin;
  if (verb == u"taskbarunpin") return Verb::TaskbarUnpin;
  if (verb == u"startpin") return Verb::StartPin;
  if (verb == u"startunpin") return Verb::StartUnpin;
  return Verb::Unknown;
}

// ShellExecuteW's own result codes for Win32 errors.
INT_PTR ResultFor(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_NAME: return SE_ERR_FNF;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
    case ERROR_BAD_NETPATH: return SE_ERR_PNF;
    case ERROR_BAD_FORMAT:
    case ERROR_BAD_EXE_FORMAT: return ERROR_BAD_FORMAT;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return SE_ERR_OOM;
    case ERROR_SHARING_VIOLATION: return SE_ERR_SHARE;
    case ERROR_NO_ASSOCIATION: return SE_ERR_NOASSOC;
    default: return SE_ERR_ACCESSDENIED;
  }
}

DWORD Carry(Verb verb, const std::u16string& file, LPCWSTR parameters, LPCWSTR directory,
            INT show) {
  switch (verb) {
    case Verb::Open:
      return Platform::OpenItem(file, parameters ? parameters : u"", directory, show);
    case Verb::TaskbarPin: return Platform::PinItem(file, Platform::PinPlace::TaskBar);
    case Verb::StartPin: return Platform::PinItem(file, Platform::PinPlace::StartMenu);
    case Verb::TaskbarUnpin: return Platform::UnpinItem(file, Platform::PinPlace::TaskBar);
    case Verb::StartUnpin: return Platform::UnpinItem(file, Platform::PinPlace::StartMenu);
    case Verb::Unknown: break;
  }
  OutputDebugStringA("ShellExecuteW: verb not supported\n");
  return ERROR_NO_ASSOCIATION;
}

}  // namespace

HINSTANCE WINAPI ShellExecuteW(HWND, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters,
                               LPCWSTR lpDirectory, INT nShowCmd) {
  Platform::RecordShellVerb(lpOperation, lpFile);
  DWORD error =
      Carry(ParseVerb(lpOperation), lpFile ? lpFile : u"", lpParameters, lpDirectory, nShowCmd);
  // Success is any value above 32; Windows answers 42.
  INT_PTR result = 42;
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    result = ResultFor(error);
  }
  return reinterpret_cast<HINSTANCE>(result);
}

namespace Platform {

bool ShellOffersVerb(LPCWSTR, LPCWSTR verb) { return ParseVerb(verb) != Verb::Unknown; }

}  // namespace Platform
