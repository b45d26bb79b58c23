#include "LinkProbe.h"

#include <stdio.h>

#include <cstdlib>
#include <sstream>

#include "support/SevenZip.h"
#include "support/TempDir.h"

namespace {

// "\tName\t\t\t: value" lines of lnkinfo.
std::string Field(const std::string& text, const std::string& name) {
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    size_t start = line.find_first_not_of("\t ");
    if (start == std::string::npos || line.compare(start, name.size(), name) != 0) continue;
    size_t colon = line.find(": ", start + name.size());
    if (colon == std::string::npos) continue;
    if (line.find_first_not_of("\t ", start + name.size()) != colon) continue;
    return line.substr(colon + 2);
  }
  return "";
}

}  // namespace

LinkInfo ReadLink(const std::filesystem::path& lnk) {
  LinkInfo info;
  std::string text =
      TestSupport::CaptureShell("lnkinfo " + TestSupport::ShellQuote(lnk.string()) + " 2>&1");
  info.target = Field(text, "Local path");
  info.workingDirectory = Field(text, "Working directory");
  info.relativePath = Field(text, "Relative path");
  info.description = Field(text, "Description");
  // lnkinfo 20181227 prints the file size in its "Show Window value" line: the show command is
  // read from the header itself (a 32-bit value at offset 60).
  std::string bytes = TestSupport::ReadFile(lnk);
  if (bytes.size() >= 64)
    info.showCommand = static_cast<int>(
        static_cast<uint8_t>(bytes[60]) | static_cast<uint8_t>(bytes[61]) << 8 |
        static_cast<uint8_t>(bytes[62]) << 16 | static_cast<uint8_t>(bytes[63]) << 24);
  info.ok = !info.target.empty();
  return info;
}
