// CoCreateInstance for the classes this layer carries.
#include "Platform/Shell/ComApartment.h"
#include "Platform/Shell/ShellLink.h"

HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext,
                                REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (!Platform::ComUsableOnThisThread()) return CO_E_NOTINITIALIZED;
  if (rclsid != CLSID_ShellLink || !(dwClsContext & CLSCTX_INPROC_SERVER)) {
    OutputDebugStringA("CoCreateInstance: only CLSID_ShellLink in process is available\n");
    return REGDB_E_CLASSNOTREG;
  }
  if (pUnkOuter) return CLASS_E_NOAGGREGATION;
  return Platform::CreateShellLink(riid, ppv);
}
