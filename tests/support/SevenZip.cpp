#include "support/SevenZip.h"

#include <stdio.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

namespace TestSupport {

std::string CaptureShell(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

int RunShell(const std::string& command) {
  int status = std::system(command.c_str());
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

std::string ShellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  return out + "'";
}

bool Pack7z(const std::filesystem::path& tree, const std::filesystem::path& archive,
            const std::string& switches) {
  std::filesystem::path absolute = std::filesystem::absolute(archive);
  std::string command = "cd " + ShellQuote(tree.string()) + " && 7zz a -t7z -bd -bso0 -bsp0 " +
                        switches + " " + ShellQuote(absolute.string()) + " . >/dev/null";
  return RunShell(command) == 0;
}

bool Rename7z(const std::filesystem::path& archive, const std::string& from,
              const std::string& to) {
  return RunShell("7zz rn -bso0 -bsp0 " + ShellQuote(archive.string()) + " " + ShellQuote(from) +
                  " " + ShellQuote(to) + " >/dev/null") == 0;
}

int SolidBlocks(const std::filesystem::path& archive) {
  std::istringstream lines(
      CaptureShell("7zz l -slt " + ShellQuote(archive.string()) + " 2>/dev/null"));
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("Blocks = ", 0) == 0) return std::atoi(line.c_str() + 9);
  }
  return -1;
}

long long PackedBlockSize(const std::filesystem::path& archive, int block) {
  // `7zz l -slt` gives "Packed Size" on the first entry of each block.
  std::istringstream lines(
      CaptureShell("7zz l -slt " + ShellQuote(archive.string()) + " 2>/dev/null"));
  std::string line;
  long long packed = -1;
  while (std::getline(lines, line)) {
    if (line.rfind("Packed Size = ", 0) == 0) {
      packed = line.size() > 14 ? std::atoll(line.c_str() + 14) : -1;
    } else if (line.rfind("Block = ", 0) == 0 && line.size() > 8 &&
               std::atoi(line.c_str() + 8) == block && packed > 0) {
      return packed;
    }
  }
  return -1;
}

namespace {

uint32_t Crc32(const char* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= static_cast<unsigned char>(data[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

uint64_t Le(const std::string& bytes, size_t at, int width) {
  uint64_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

void PutLe32(std::string* bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*bytes)[at + i] = static_cast<char>(v >> (8 * i));
}

}  // namespace

size_t NextHeaderStart(const std::string& archive) {
  return static_cast<size_t>(32 + Le(archive, 12, 8));
}

std::string Reseal7z(std::string archive) {
  size_t start = NextHeaderStart(archive);
  size_t size = static_cast<size_t>(Le(archive, 20, 8));
  if (start + size <= archive.size()) PutLe32(&archive, 28, Crc32(archive.data() + start, size));
  PutLe32(&archive, 8, Crc32(archive.data() + 12, 20));
  return archive;
}

bool Patch(std::string* bytes, size_t start, const std::string& from, const std::string& to) {
  size_t at = bytes->find(from, start);
  if (at == std::string::npos) return false;
  bytes->replace(at, from.size(), to);
  return true;
}

std::filesystem::path BuildDir() {
  const char* dir = std::getenv("SKINUI_BUILD_DIR");
  return dir ? std::filesystem::path(dir) : std::filesystem::current_path();
}

std::filesystem::path ShippedPayload() { return BuildDir() / "assets/payload/payload.7z"; }

std::filesystem::path PayloadProgram(const std::string& name) {
  return BuildDir() / "assets/payload/programs" / (name + ".exe");
}

}  // namespace TestSupport
