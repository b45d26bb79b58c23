// Stand-in for the product's launcher and uninstaller: it appends how it was started (each
// argument on its own line, then its working directory) to "<own name>.log" beside itself and
// exits with 0. The installer's tests read that file back.

#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

std::string OwnPath(const char* argv0) {
  char buffer[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return argv0 ? argv0 : "";
  return std::string(buffer, static_cast<size_t>(length));
}

std::string LogPathBeside(const std::string& self) {
  std::string path = self;
  std::string::size_type dot = path.rfind('.');
  std::string::size_type slash = path.rfind('/');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
  return path + ".log";
}

}  // namespace

int main(int argc, char** argv) {
  std::string log = LogPathBeside(OwnPath(argc > 0 ? argv[0] : nullptr));
  FILE* out = std::fopen(log.c_str(), "a");
  if (!out) return 0;
  for (int i = 0; i < argc; ++i) std::fprintf(out, "%s=%s\n", i == 0 ? "argv0" : "arg", argv[i]);
  char cwd[PATH_MAX];
  std::fprintf(out, "cwd=%s\n", getcwd(cwd, sizeof cwd) ? cwd : "");
  std::fputs("end\n", out);
  std::fclose(out);
  return 0;
}
