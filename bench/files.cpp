// File work through the Windows layer beside the same work on POSIX calls: creating and writing
// small files (what payload extraction does per entry) and reading a file through a mapping
// (what it does with the archive). Each comparison is registered as "<work>/ours" and
// "<work>/posix"; bench/files.sh pairs them.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Platform/Kernel/PathMap.h"
#include "Platform/Text/Utf.h"
#include "Platform/Win32.h"

namespace {

constexpr int kNames = 64;
const std::string kSmall(4096, 'x');

// A folder of its own in the temporary folder, removed at exit.
struct ScratchDir {
  ScratchDir() {
    char pattern[] = "/tmp/skinui-bench-files-XXXXXX";
    if (mkdtemp(pattern)) path = pattern;
  }
  ~ScratchDir() {
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

// A prefix of its own, made once.
const std::string& BenchPrefix() {
  static ScratchDir scratch;
  static const std::string prefix = [] {
    std::string dir = scratch.path;
    setenv("SKINUI_PREFIX", (dir + "/prefix").c_str(), 1);
    Platform::PrefixDir();
    mkdir((dir + "/prefix/drive_c/bench").c_str(), 0755);
    return dir + "/prefix";
  }();
  return prefix;
}

std::u16string WindowsName(int i) {
  return u"C:\\bench\\entry" + Platform::Utf8ToUtf16(std::to_string(i)) + u".bin";
}

std::string PosixName(int i) {
  return BenchPrefix() + "/drive_c/bench/entry" + std::to_string(i) + ".bin";
}

void CreateWriteClose_Ours(benchmark::State& state) {
  BenchPrefix();
  std::vector<std::u16string> names;
  for (int i = 0; i < kNames; ++i) names.push_back(WindowsName(i));
  int i = 0;
  for (auto _ : state) {
    HANDLE h = CreateFileW(names[i++ % kNames].c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(h, kSmall.data(), static_cast<DWORD>(kSmall.size()), &written, nullptr);
    CloseHandle(h);
  }
}

void CreateWriteClose_Posix(benchmark::State& state) {
  std::vector<std::string> names;
  for (int i = 0; i < kNames; ++i) names.push_back(PosixName(i));
  int i = 0;
  for (auto _ : state) {
    int fd = open(names[i++ % kNames].c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    benchmark::DoNotOptimize(write(fd, kSmall.data(), kSmall.size()));
    close(fd);
  }
}

const std::string& MappedFile() {
  static const std::string path = [] {
    std::string p = BenchPrefix() + "/drive_c/bench/archive.7z";
    int fd = open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string block(1 << 20, 'a');
    for (int i = 0; i < 4; ++i) benchmark::DoNotOptimize(write(fd, block.data(), block.size()));
    close(fd);
    return p;
  }();
  return path;
}

uint64_t Sum(const unsigned char* p, size_t n) {
  uint64_t sum = 0;
  for (size_t i = 0; i < n; i += 4096) sum += p[i];
  return sum;
}

void MapRead_Ours(benchmark::State& state) {
  MappedFile();
  for (auto _ : state) {
    HANDLE file = CreateFileW(u"C:\\bench\\archive.7z", GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD size = GetFileSize(file, nullptr);
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, size, nullptr);
    auto* view = static_cast<const unsigned char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    benchmark::DoNotOptimize(Sum(view, size));
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    CloseHandle(file);
  }
}

void MapRead_Posix(benchmark::State& state) {
  const std::string& path = MappedFile();
  for (auto _ : state) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    fstat(fd, &st);
    auto* view = static_cast<const unsigned char*>(
        mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_SHARED, fd, 0));
    benchmark::DoNotOptimize(Sum(view, static_cast<size_t>(st.st_size)));
    munmap(const_cast<unsigned char*>(view), static_cast<size_t>(st.st_size));
    close(fd);
  }
}

}  // namespace

BENCHMARK(CreateWriteClose_Ours)->Name("create_write/ours");
BENCHMARK(CreateWriteClose_Posix)->Name("create_write/posix");
BENCHMARK(MapRead_Ours)->Name("map_read/ours");
BENCHMARK(MapRead_Posix)->Name("map_read/posix");
BENCHMARK_MAIN();
