#pragma once
// The shell-link object behind CLSID_ShellLink: IShellLinkW to describe a link, IPersistFile
// to save it as (or load it from) a .lnk file.

#include <atomic>

#include "Platform/Shell/ShellLinkFormat.h"

namespace Platform {

// A new link object answering riid; the COM result of CoCreateInstance.
HRESULT CreateShellLink(REFIID riid, void** object);

class ShellLink final : public IShellLinkW, public IPersistFile {
 public:
  ShellLink() = default;
  ShellLink(const ShellLink&) = delete;
  ShellLink& operator=(const ShellLink&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetPath(LPWSTR file, int cch, WIN32_FIND_DATAW* data,
                                    DWORD flags) override;
  HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE* list) override;
  HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE list) override;
  HRESULT STDMETHODCALLTYPE GetDescription(LPWSTR name, int cch) override;
  HRESULT STDMETHODCALLTYPE SetDescription(LPCWSTR name) override;
  HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPWSTR dir, int cch) override;
  HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCWSTR dir) override;
  HRESULT STDMETHODCALLTYPE GetArguments(LPWSTR args, int cch) override;
  HRESULT STDMETHODCALLTYPE SetArguments(LPCWSTR args) override;
  HRESULT STDMETHODCALLTYPE GetHotkey(WORD* hotkey) override;
  HRESULT STDMETHODCALLTYPE SetHotkey(WORD hotkey) override;
  HRESULT STDMETHODCALLTYPE GetShowCmd(int* showCmd) override;
  HRESULT STDMETHODCALLTYPE SetShowCmd(int showCmd) override;
  HRESULT STDMETHODCALLTYPE GetIconLocation(LPWSTR path, int cch, int* icon) override;
  HRESULT STDMETHODCALLTYPE SetIconLocation(LPCWSTR path, int icon) override;
  HRESULT STDMETHODCALLTYPE SetRelativePath(LPCWSTR reference, DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE Resolve(HWND window, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR file) override;

  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override;
  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR fileName, DWORD mode) override;
  HRESULT STDMETHODCALLTYPE Save(LPCOLESTR fileName, BOOL remember) override;
  HRESULT STDMETHODCALLTYPE SaveCompleted(LPCOLESTR fileName) override;
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR* fileName) override;

 private:
  ~ShellLink() = default;
  HRESULT SetText(std::u16string* field, LPCWSTR text);

  std::atomic<ULONG> m_refs{1};
  ShellLinkData m_link;
  std::u16string m_relativeTo;  // the file SetRelativePath named
  std::u16string m_currentFile;
  bool m_dirty = false;
};

}  // namespace Platform
