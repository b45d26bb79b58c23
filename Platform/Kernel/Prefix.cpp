#include "Platform/Kernel/Prefix.h"

#include <errno.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <vector>

#include "Platform/Text/Utf.h"

namespace Platform {
namespace {

std::mutex g_mutex;
std::string g_ready;  // the prefix whose layout this process has already made

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string HomeDir() {
  if (const char* home = getenv("HOME"); home && *home == '/') return home;
  struct passwd pw;
  struct passwd* found = nullptr;
  std::vector<char> buf(16384);
  if (getpwuid_r(geteuid(), &pw, buf.data(), buf.size(), &found) == 0 && found && pw.pw_dir)
    return pw.pw_dir;
  return "/";
}

std::string ResolvePrefix() {
  if (const char* p = getenv("SKINUI_PREFIX"); p && *p) {
    std::string path = p;
    if (path[0] != '/') path = CurrentDir() + "/" + path;
    return WithoutTrailingSlashes(path);
  }
  // The XDG rules ignore a relative XDG_DATA_HOME.
  if (const char* x = getenv("XDG_DATA_HOME"); x && *x == '/')
    return WithoutTrailingSlashes(std::string(x) + "/skinui");
  return WithoutTrailingSlashes(HomeDir() + "/.local/share/skinui");
}

std::string LoginName() {
  struct passwd pw;
  struct passwd* found = nullptr;
  std::vector<char> buf(16384);
  if (getpwuid_r(geteuid(), &pw, buf.data(), buf.size(), &found) == 0 && found && pw.pw_name &&
      *pw.pw_name)
    return pw.pw_name;
  if (const char* user = getenv("USER"); user && *user) return user;
  return "user";
}

// mkdir -p; existing folders are left as they are.
bool MakeDirs(const std::string& path, mode_t mode) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeDirs(path.substr(0, slash), 0755))
    return false;
  return mkdir(path.c_str(), mode) == 0 || errno == EEXIST;
}

void MakeLinkIfMissing(const std::string& link, const char* target) {
  struct stat st;
  if (lstat(link.c_str(), &st) == 0) return;  // the user's own mapping wins
  symlink(target, link.c_str());
}

void MakeLayout(const std::string& prefix) {
  const std::string user = Utf16ToUtf8(PrefixUserName());
  const std::string c = prefix + "/drive_c";
  const std::string home = c + "/users/" + user;
  const std::string roaming = home + "/AppData/Roaming/Microsoft";
  MakeDirs(prefix + "/dosdevices", 0755);
  for (const std::string& dir :
       {c + "/Program Files", c + "/Program Files (x86)", c + "/windows/system32",
        c + "/ProgramData/Microsoft/Windows/Start Menu/Programs", c + "/users/Public/Desktop",
        home + "/Desktop", roaming + "/Windows/Start Menu/Programs",
        roaming + "/Internet Explorer/Quick Launch"})
    MakeDirs(dir, 0755);
  MakeDirs(home + "/AppData/Local", 0755);
  MakeLinkIfMissing(prefix + "/dosdevices/c:", "../drive_c");
  MakeLinkIfMissing(prefix + "/dosdevices/z:", "/");
}

}  // namespace

std::string PrefixDir() {
  FolderStamp unused;
  return PrefixDir(&unused);
}

std::string PrefixDir(FolderStamp* drives) {
  std::string prefix = ResolvePrefix();
  const std::string links = prefix + "/dosdevices";
  std::lock_guard<std::mutex> lock(g_mutex);
  struct stat st;
  if (prefix == g_ready && stat(links.c_str(), &st) == 0) {
    *drives = StampFromStat(st);
    return prefix;
  }
  MakeLayout(prefix);
  g_ready = prefix;
  *drives = stat(links.c_str(), &st) == 0 ? StampFromStat(st) : FolderStamp{};
  return prefix;
}

std::u16string PrefixUserName() {
  std::u16string name = Utf8ToUtf16(LoginName());
  for (char16_t& ch : name) {
    if (ch < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(ch) != std::u16string_view::npos)
      ch = u'_';
  }
  if (name == u"." || name == u"..") name = u"user";
  return name;
}

bool PrivateTempDir(std::string* posix) {
  const std::string dir =
      PrefixDir() + "/drive_c/users/" + Utf16ToUtf8(PrefixUserName()) + "/AppData/Local/Temp";
  if (!MakeDirs(dir, 0700)) return false;
  struct stat st;
  if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid()) return false;
  if ((st.st_mode & 077) != 0 && chmod(dir.c_str(), 0700) != 0) return false;
  *posix = dir;
  return true;
}

std::string CurrentDir() {
  std::vector<char> buf(4096);
  while (!getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE) return "/";
    buf.resize(buf.size() * 2);
  }
  return buf.data();
}

}  // namespace Platform
