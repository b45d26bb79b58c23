#include "setup/PayloadFile.h"

#include "setup/InstallNames.h"

namespace {

bool WriteResource(HANDLE file, WORD resourceId, LPCWSTR resourceType) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(resourceId), resourceType);
  HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  DWORD size = resource ? SizeofResource(nullptr, resource) : 0;
  if (!data || size == 0) return false;
  DWORD written = 0;
  return WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

bool WritePayloadToFile(HWND owner, LPCWSTR path, WORD resourceId, LPCWSTR resourceType) {
  CoInitialize(nullptr);
  HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = false;
  if (file == INVALID_HANDLE_VALUE) {
    ShowErrorCode(owner, GetLastError(), nullptr, MB_OK);
  } else {
    ok = WriteResource(file, resourceId, resourceType);
    CloseHandle(file);
  }
  CoUninitialize();
  return ok;
}

void ShowErrorCode(HWND owner, DWORD code, LPCWSTR caption, UINT type) {
  WCHAR text[64];
  wnsprintfW(text, 64, kErrorFormat, code);
  ShowInstallerMessage(owner, text, caption, type);
}

int ShowInstallerMessage(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  WCHAR line[512];
  wnsprintfW(line, 512, TEXT("message: %s\n"), text);
  OutputDebugStringW(line);
  int answer = MessageBoxW(owner, text, caption, type);
  wnsprintfW(line, 512, TEXT("answer: %d\n"), answer);
  OutputDebugStringW(line);
  return answer;
}
