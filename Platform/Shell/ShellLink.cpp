#include "Platform/Shell/ShellLink.h"

#include <sys/stat.h>

#include <cstring>
#include <new>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Shell/ItemIdList.h"
#include "Platform/Shell/LinkFileIo.h"
#include "Platform/Shell/RelativePath.h"
#include "Platform/Text/AsciiText.h"

namespace Platform {

namespace {

constexpr size_t kMaxCountedString = 0xFFFF;
constexpr size_t kMaxLinkFile = 1 << 20;

HRESULT CopyOut(const std::u16string& text, LPWSTR buffer, int cch) {
  if (!buffer || cch <= 0) return E_INVALIDARG;
  size_t n = std::min(text.size(), static_cast<size_t>(cch - 1));
  std::memcpy(buffer, text.data(), n * sizeof(WCHAR));
  buffer[n] = 0;
  return S_OK;
}

bool IsAbsoluteWindowsPath(const std::u16string& path) {
  bool drive = path.size() >= 3 && ((path[0] | 0x20) >= u'a' && (path[0] | 0x20) <= u'z') &&
               path[1] == u':' && IsPathSeparator(path[2]);
  bool unc = path.size() > 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]) &&
             !IsPathSeparator(path[2]);
  return drive || unc;
}

bool Exists(const std::u16string& windowsPath) {
  std::string posix;
  struct stat st;
  return MapWindowsPath(windowsPath, &posix) == ERROR_SUCCESS && stat(posix.c_str(), &st) == 0;
}

}  // namespace

HRESULT CreateShellLink(REFIID riid, void** object) {
  ShellLink* link = new (std::nothrow) ShellLink();
  if (!link) return E_OUTOFMEMORY;
  HRESULT hr = link->QueryInterface(riid, object);
  link->Release();
  return hr;
}

HRESULT ShellLink::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IShellLinkW) {
    *object = static_cast<IShellLinkW*>(this);
  } else if (riid == IID_IPersistFile || riid == IID_IPersist) {
    *object = static_cast<IPersistFile*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG ShellLink::AddRef() { return ++m_refs; }

ULONG ShellLink::Release() {
  ULONG left = --m_refs;
  if (left == 0) delete this;
  return left;
}

HRESULT ShellLink::SetText(std::u16string* field, LPCWSTR text) {
  std::u16string value = text ? text : u"";
  if (value.size() > kMaxCountedString) return E_INVALIDARG;
  *field = std::move(value);
  m_dirty = true;
  return S_OK;
}

HRESULT ShellLink::GetPath(LPWSTR file, int cch, WIN32_FIND_DATAW* data, DWORD) {
  HRESULT hr = CopyOut(m_link.target, file, cch);
  if (FAILED(hr)) return hr;
  if (data) {
    std::memset(data, 0, sizeof *data);
    if (!m_link.target.empty()) {
      data->dwFileAttributes = m_link.fileAttributes;
      auto put = [](FILETIME* t, int64_t v) {
        t->dwLowDateTime = static_cast<DWORD>(v);
        t->dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(v) >> 32);
      };
      put(&data->ftCreationTime, m_link.creationTime);
      put(&data->ftLastAccessTime, m_link.accessTime);
      put(&data->ftLastWriteTime, m_link.writeTime);
      data->nFileSizeLow = m_link.fileSize;
      std::u16string name = m_link.target.substr(m_link.target.find_last_of(u"\\/") + 1);
      CopyOut(name, data->cFileName, MAX_PATH);
    }
  }
  return m_link.target.empty() ? S_FALSE : S_OK;
}

HRESULT ShellLink::GetIDList(PIDLIST_ABSOLUTE* list) {
  if (!list) return E_POINTER;
  *list = nullptr;
  if (m_link.target.empty()) return S_FALSE;
  *list = CreateItemIdList(m_link.target);
  return *list ? S_OK : E_OUTOFMEMORY;
}

HRESULT ShellLink::SetIDList(PCIDLIST_ABSOLUTE list) {
  std::u16string path;
  if (!ItemIdListPath(list, &path)) return E_INVALIDARG;
  return SetPath(path.c_str());
}

HRESULT ShellLink::GetDescription(LPWSTR name, int cch) {
  return CopyOut(m_link.description, name, cch);
}

HRESULT ShellLink::SetDescription(LPCWSTR name) { return SetText(&m_link.description, name); }

HRESULT ShellLink::GetWorkingDirectory(LPWSTR dir, int cch) {
  return CopyOut(m_link.workingDirectory, dir, cch);
}

HRESULT ShellLink::SetWorkingDirectory(LPCWSTR dir) {
  return SetText(&m_link.workingDirectory, dir);
}

HRESULT ShellLink::GetArguments(LPWSTR args, int cch) {
  return CopyOut(m_link.arguments, args, cch);
}

HRESULT ShellLink::SetArguments(LPCWSTR args) { return SetText(&m_link.arguments, args); }

HRESULT ShellLink::GetHotkey(WORD* hotkey) {
  if (!hotkey) return E_POINTER;
  *hotkey = m_link.hotkey;
  return S_OK;
}

HRESULT ShellLink::SetHotkey(WORD hotkey) {
  m_link.hotkey = hotkey;
  m_dirty = true;
  return S_OK;
}

HRESULT ShellLink::GetShowCmd(int* showCmd) {
  if (!showCmd) return E_POINTER;
  *showCmd = m_link.showCommand;
  return S_OK;
}

HRESULT ShellLink::SetShowCmd(int showCmd) {
  m_link.showCommand = showCmd;
  m_dirty = true;
  return S_OK;
}

HRESULT ShellLink::GetIconLocation(LPWSTR path, int cch, int* icon) {
  if (!icon) return E_POINTER;
  *icon = m_link.iconIndex;
  return CopyOut(m_link.iconLocation, path, cch);
}

HRESULT ShellLink::SetIconLocation(LPCWSTR path, int icon) {
  HRESULT hr = SetText(&m_link.iconLocation, path);
  if (SUCCEEDED(hr)) m_link.iconIndex = icon;
  return hr;
}

HRESULT ShellLink::SetRelativePath(LPCWSTR reference, DWORD) {
  if (!reference) return E_INVALIDARG;
  m_relativeTo = reference;
  m_dirty = true;
  return S_OK;
}

HRESULT ShellLink::Resolve(HWND, DWORD) {
  if (m_link.target.empty() || Exists(m_link.target)) return S_OK;
  // A link moved together with its target finds it again through the relative path.
  if (!m_link.relativePath.empty() && !m_currentFile.empty()) {
    std::u16string joined =
        m_currentFile.substr(0, m_currentFile.find_last_of(u"\\/") + 1) + m_link.relativePath;
    WCHAR canonical[MAX_PATH];
    if (joined.size() < MAX_PATH && PathCanonicalizeW(canonical, joined.c_str()) &&
        Exists(canonical)) {
      m_link.target = canonical;
      m_dirty = true;
      return S_OK;
    }
  }
  return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}

HRESULT ShellLink::SetPath(LPCWSTR file) {
  if (!file) return E_INVALIDARG;
  std::u16string path = file;
  if (!path.empty() && !IsAbsoluteWindowsPath(path)) return E_INVALIDARG;
  m_link.target = std::move(path);
  m_dirty = true;
  return S_OK;
}

HRESULT ShellLink::GetClassID(CLSID* classId) {
  if (!classId) return E_POINTER;
  *classId = CLSID_ShellLink;
  return S_OK;
}

HRESULT ShellLink::IsDirty() { return m_dirty ? S_OK : S_FALSE; }

HRESULT ShellLink::Load(LPCOLESTR fileName, DWORD) {
  if (!fileName) return E_INVALIDARG;
  std::string posix, bytes;
  DWORD err = MapWindowsPath(fileName, &posix);
  if (err == ERROR_SUCCESS) err = ReadSmallFile(posix, kMaxLinkFile, &bytes);
  if (err != ERROR_SUCCESS) return HRESULT_FROM_WIN32(err);
  ShellLinkData link;
  if (!ReadShellLink(bytes.data(), bytes.size(), &link))
    return HRESULT_FROM_WIN32(ERROR_BAD_FORMAT);
  m_link = std::move(link);
  m_relativeTo.clear();
  m_currentFile = fileName;
  m_dirty = false;
  return S_OK;
}

HRESULT ShellLink::Save(LPCOLESTR fileName, BOOL remember) {
  std::u16string name = fileName ? fileName : m_currentFile;
  if (name.empty()) return E_INVALIDARG;
  std::string posix;
  DWORD err = MapWindowsPath(name, &posix);
  if (err != ERROR_SUCCESS) return HRESULT_FROM_WIN32(err);
  ShellLinkData link = m_link;
  if (!m_relativeTo.empty()) link.relativePath = RelativePathTo(m_relativeTo, link.target);
  if (!link.target.empty()) FillTargetFacts(&link);
  if ((err = ReplaceFileContents(posix, WriteShellLink(link))) != ERROR_SUCCESS)
    return HRESULT_FROM_WIN32(err);
  m_link = std::move(link);
  if (remember || !fileName) {
    m_currentFile = name;
    m_dirty = false;
  }
  return S_OK;
}

HRESULT ShellLink::SaveCompleted(LPCOLESTR) { return S_OK; }

HRESULT ShellLink::GetCurFile(LPOLESTR* fileName) {
  if (!fileName) return E_POINTER;
  // Without a file yet, the answer is the default name pattern and S_FALSE.
  std::u16string name = m_currentFile.empty() ? u"*.lnk" : m_currentFile;
  auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((name.size() + 1) * sizeof(OLECHAR)));
  if (!copy) return E_OUTOFMEMORY;
  std::memcpy(copy, name.c_str(), (name.size() + 1) * sizeof(OLECHAR));
  *fileName = copy;
  return m_currentFile.empty() ? S_FALSE : S_OK;
}

}  // namespace Platform
