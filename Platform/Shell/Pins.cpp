#include "Platform/Shell/Pins.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "Platform/Kernel/ErrnoMap.h"
#include "Platform/Kernel/PathMap.h"
#include "Platform/Shell/LinkFileIo.h"
#include "Platform/Shell/SpecialFolders.h"
#include "Platform/Text/AsciiText.h"

namespace Platform {

namespace {

constexpr size_t kMaxLinkFile = 1 << 20;

bool EndsWithLnk(const std::u16string& name) {
  if (name.size() < 4) return false;
  return AsciiLowered(name.substr(name.size() - 4)) == u".lnk";
}

// Paths compare as Windows compares them: either separator, ASCII case ignored.
std::u16string Comparable(std::u16string path) {
  for (char16_t& c : path) {
    if (c == u'/') c = u'\\';
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  }
  while (path.size() > 3 && path.back() == u'\\') path.pop_back();
  return path;
}

std::u16string FileName(const std::u16string& path) {
  return path.substr(path.find_last_of(u"\\/") + 1);
}

// Where an item leads: a shortcut's target, or the item itself.
DWORD ItemTarget(const std::u16string& file, const std::string& posix, std::u16string* target,
                 std::string* linkBytes) {
  if (!EndsWithLnk(file)) {
    *target = PosixToWindowsPath(posix);
    return ERROR_SUCCESS;
  }
  DWORD err = ReadSmallFile(posix, kMaxLinkFile, linkBytes);
  if (err != ERROR_SUCCESS) return err;
  ShellLinkData link;
  if (!ReadShellLink(linkBytes->data(), linkBytes->size(), &link) || link.target.empty())
    return ERROR_BAD_FORMAT;
  *target = link.target;
  return ERROR_SUCCESS;
}

DWORD ExistingItem(const std::u16string& file, std::string* posix) {
  if (file.empty()) return ERROR_FILE_NOT_FOUND;
  DWORD err = MapWindowsPath(file, posix);
  if (err != ERROR_SUCCESS) return err;
  struct stat st;
  if (stat(posix->c_str(), &st) != 0) return MissingFileError(*posix);
  return S_ISDIR(st.st_mode) ? ERROR_NO_ASSOCIATION : ERROR_SUCCESS;
}

std::vector<std::string> LinksIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name.size() > 4 && EndsWithLnk(std::u16string(name.end() - 4, name.end())))
        names.push_back(name);
    }
    closedir(dir);
  }
  return names;
}

}  // namespace

HRESULT PinnedFolder(PinPlace place, std::u16string* folder) {
  std::u16string appData;
  HRESULT hr = ExistingSpecialFolder(CSIDL_APPDATA, &appData);
  if (FAILED(hr)) return hr;
  *folder = appData + u"\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\" +
            (place == PinPlace::TaskBar ? u"TaskBar" : u"StartMenu");
  int rc = SHCreateDirectoryExW(nullptr, folder->c_str(), nullptr);
  if (rc != ERROR_SUCCESS && rc != ERROR_ALREADY_EXISTS) return HRESULT_FROM_WIN32(rc);
  return S_OK;
}

DWORD PinItem(const std::u16string& file, PinPlace place) {
  std::string posix, bytes;
  DWORD err = ExistingItem(file, &posix);
  std::u16string target, folder;
  if (err == ERROR_SUCCESS) err = ItemTarget(file, posix, &target, &bytes);
  if (err != ERROR_SUCCESS) return err;
  HRESULT hr = PinnedFolder(place, &folder);
  if (FAILED(hr)) return static_cast<DWORD>(hr & 0xFFFF);
  std::u16string name = FileName(file);
  if (bytes.empty()) {
    // Anything but a shortcut gets a new shortcut to it, named after it.
    ShellLinkData link;
    link.target = target;
    link.workingDirectory = target.substr(0, target.find_last_of(u'\\') + 1);
    FillTargetFacts(&link);
    bytes = WriteShellLink(link);
    name = name.substr(0, name.find_last_of(u'.')) + u".lnk";
  }
  std::string destination;
  if ((err = MapWindowsPath(folder + u"\\" + name, &destination)) != ERROR_SUCCESS) return err;
  return ReplaceFileContents(destination, bytes);
}

DWORD UnpinItem(const std::u16string& file, PinPlace place) {
  std::string posix, bytes, folderPosix;
  DWORD err = ExistingItem(file, &posix);
  std::u16string target, folder;
  if (err == ERROR_SUCCESS) err = ItemTarget(file, posix, &target, &bytes);
  if (err != ERROR_SUCCESS) return err;
  HRESULT hr = PinnedFolder(place, &folder);
  if (FAILED(hr)) return static_cast<DWORD>(hr & 0xFFFF);
  if ((err = MapWindowsPath(folder, &folderPosix)) != ERROR_SUCCESS) return err;
  bool removed = false;
  for (const std::string& name : LinksIn(folderPosix)) {
    std::string path = folderPosix + "/" + name, pinned;
    ShellLinkData link;
    if (ReadSmallFile(path, kMaxLinkFile, &pinned) != ERROR_SUCCESS ||
        !ReadShellLink(pinned.data(), pinned.size(), &link) ||
        Comparable(link.target) != Comparable(target))
      continue;
    if (unlink(path.c_str()) == 0) removed = true;
  }
  return removed ? ERROR_SUCCESS : ERROR_NO_ASSOCIATION;
}

}  // namespace Platform
