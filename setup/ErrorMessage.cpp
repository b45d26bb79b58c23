#include "setup/ErrorMessage.h"

#include "setup/InstallNames.h"

void ShowErrorCode(HWND owner, DWORD code, LPCWSTR caption, UINT type) {
  WCHAR text[64];
  wnsprintfW(text, 64, kErrorFormat, code);
  MessageBoxW(owner, text, caption, type);
}
