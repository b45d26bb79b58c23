#include "Platform/Kernel/SystemIdentity.h"

#include <sys/utsname.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Platform/Kernel/Prefix.h"
#include "Platform/Kernel/Unsupported.h"

namespace Platform {
namespace {

// The environment variable, else the first line of the prefix file; false when neither is set.
bool Setting(const char* variable, const char* file, std::string* value) {
  if (const char* v = getenv(variable); v && *v) {
    *value = v;
    return true;
  }
  std::ifstream in(PrefixDir() + "/" + file);
  return in && std::getline(in, *value) && !value->empty();
}

bool ParseNumber(const std::string& text, DWORD* out) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  *out = static_cast<DWORD>(std::stoul(text));
  return true;
}

// The 64-bit machines a 32-bit x86 program can run on.
bool KernelIs64Bit() {
  struct utsname u;
  if (uname(&u) != 0) return false;
  std::string machine = u.machine;
  return machine == "x86_64" || machine == "aarch64";
}

}  // namespace

bool ParseWindowsVersion(const std::string& text, WindowsVersion* version) {
  std::istringstream in(text);
  std::string numbers, family, extra;
  in >> numbers >> family >> extra;
  if (numbers.empty() || !extra.empty()) return false;
  WindowsVersion v;
  v.build = 0;
  std::istringstream parts(numbers);
  std::string major, minor, build;
  std::getline(parts, major, '.');
  std::getline(parts, minor, '.');
  std::getline(parts, build, '.');
  if (!parts.eof() && parts.peek() != EOF) return false;
  if (!ParseNumber(major, &v.major) || !ParseNumber(minor, &v.minor)) return false;
  if (!build.empty() && !ParseNumber(build, &v.build)) return false;
  if (family.empty() || family == "nt") {
    v.platform = 2;
  } else if (family == "9x") {
    v.platform = 1;
  } else if (family == "win32s") {
    v.platform = 0;
  } else {
    return false;
  }
  *version = v;
  return true;
}

WindowsVersion ReportedWindowsVersion() {
  WindowsVersion version;
  std::string text;
  if (Setting("SKINUI_WINVER", "winver", &text) && !ParseWindowsVersion(text, &version))
    ReportUnsupported("GetVersionExW", ("version text \"" + text + "\"").c_str());
  return version;
}

bool ReportedWow64() {
  std::string text;
  if (Setting("SKINUI_WOW64", "wow64", &text)) {
    if (text == "1") return true;
    if (text == "0") return false;
    ReportUnsupported("IsWow64Process", ("WOW64 setting \"" + text + "\"").c_str());
  }
  return sizeof(void*) == 4 && KernelIs64Bit();
}

}  // namespace Platform
