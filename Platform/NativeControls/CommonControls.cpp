// Common control initialisation: the classes are registered with the system's own classes, so
// these calls only make sure that has happened.
#include "Platform/NativeControls/CommonControls.h"

namespace Platform {

void RegisterCommonControlClasses() {
  RegisterTooltipClass();
  RegisterDatePickerClass();
}

}  // namespace Platform

using namespace Platform;

void WINAPI InitCommonControls() { EnsureSystemClasses(); }

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
  if (picce == nullptr || picce->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  EnsureSystemClasses();
  return TRUE;
}
