#include "Platform/Shell/ComApartment.h"

#include <atomic>

#include "Platform/Win32.h"

namespace {

std::atomic<int> g_multithreadedThreads{0};

struct Apartment {
  unsigned count = 0;  // successful CoInitializeEx calls not yet balanced
  bool multithreaded = false;
  // A thread that ends without uninitialising leaves the multithreaded apartment all the same.
  ~Apartment() {
    if (count > 0 && multithreaded) --g_multithreadedThreads;
  }
};

thread_local Apartment t_apartment;

}  // namespace

namespace Platform {

bool ComUsableOnThisThread() { return t_apartment.count > 0 || g_multithreadedThreads.load() > 0; }

}  // namespace Platform

HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit) {
  if (pvReserved) return E_INVALIDARG;
  bool multithreaded = !(dwCoInit & COINIT_APARTMENTTHREADED);
  Apartment& apartment = t_apartment;
  if (apartment.count > 0) {
    if (apartment.multithreaded != multithreaded) return RPC_E_CHANGED_MODE;
    ++apartment.count;
    return S_FALSE;
  }
  apartment.count = 1;
  apartment.multithreaded = multithreaded;
  if (multithreaded) ++g_multithreadedThreads;
  return S_OK;
}

HRESULT WINAPI CoInitialize(LPVOID pvReserved) {
  return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
}

void WINAPI CoUninitialize() {
  Apartment& apartment = t_apartment;
  if (apartment.count == 0) return;
  if (--apartment.count == 0 && apartment.multithreaded) --g_multithreadedThreads;
}
