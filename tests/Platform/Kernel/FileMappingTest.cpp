#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "KernelTestUtil.h"
#include "Platform/Win32Ext.h"
#include "support/TempDir.h"

using namespace KernelTest;

namespace {

// Resident kilobytes of the mapping that starts at `address`, from /proc/self/smaps.
long ResidentKb(const void* address) {
  std::ifstream smaps("/proc/self/smaps");
  std::ostringstream start;
  start << std::hex << reinterpret_cast<uintptr_t>(address) << "-";
  std::string line;
  bool inside = false;
  while (std::getline(smaps, line)) {
    if (line.find('-') != std::string::npos && line.find(' ') > line.find('-') &&
        line.find(':') > line.find(' '))
      inside = line.rfind(start.str(), 0) == 0;
    if (inside && line.rfind("Rss:", 0) == 0) return std::stol(line.substr(4));
  }
  return -1;
}

class FileMapping : public PrefixTest {
 protected:
  HANDLE OpenWith(const std::string& content, DWORD access) {
    TestSupport::WriteFile(C("m.bin"), content);
    return Open(Win(C("m.bin")), access, FILE_SHARE_READ, OPEN_EXISTING);
  }
};

TEST_F(FileMapping, AReadOnlyViewShowsTheWholeFileAfterItsHandlesAreClosed) {
  HANDLE file = OpenWith("7z archive bytes", GENERIC_READ);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  CloseHandle(file);  // the mapping keeps the file
  const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  CloseHandle(mapping);  // the view keeps the mapping
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(std::memcmp(view, "7z archive bytes", 16), 0);
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_TRUE(UnmapViewOfFile(view));
  EXPECT_FALSE(UnmapViewOfFile(view));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_ADDRESS));
}

TEST_F(FileMapping, WritableViewsChangeTheFileAndGrowIt) {
  HANDLE file = OpenWith("abc", kReadWrite);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READWRITE, 0, 8, nullptr);
  ASSERT_NE(mapping, nullptr);
  EXPECT_EQ(GetFileSize(file, nullptr), 8u);
  char* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 8));
  ASSERT_NE(view, nullptr);
  std::memcpy(view + 3, "defgh", 5);
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  CloseHandle(file);
  EXPECT_EQ(TestSupport::ReadFile(C("m.bin")), "abcdefgh");
}

TEST_F(FileMapping, CopyOnWriteViewsLeaveTheFileAlone) {
  HANDLE file = OpenWith("abc", GENERIC_READ);
  HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_WRITECOPY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  char* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_COPY, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  view[0] = 'X';
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  CloseHandle(file);
  EXPECT_EQ(TestSupport::ReadFile(C("m.bin")), "abc");
}

TEST_F(FileMapping, RequestsBeyondTheRightsOrTheSizeFail) {
  HANDLE file = OpenWith("abc", GENERIC_READ);
  EXPECT_EQ(CreateFileMappingW(file, nullptr, PAGE_READWRITE, 0, 0, nullptr), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 100, nullptr), nullptr);
  EXPECT_EQ(CreateFileMappingW(file, nullptr, 0x1234, 0, 0, nullptr), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 4), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 4096, 0), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_MAPPED_ALIGNMENT));
  CloseHandle(mapping);
  CloseHandle(file);
}

TEST_F(FileMapping, AnEmptyFileCannotBeMapped) {
  HANDLE file = OpenWith("", GENERIC_READ);
  EXPECT_EQ(CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_FILE_INVALID));
  CloseHandle(file);
}

TEST_F(FileMapping, PagingFileMappingsAreZeroedMemory) {
  HANDLE mapping =
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 70000, nullptr);
  ASSERT_NE(mapping, nullptr);
  unsigned char* a =
      static_cast<unsigned char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  unsigned char* b =
      static_cast<unsigned char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 65536, 0));
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(a[69999], 0);
  a[65536 + 10] = 42;  // both views show the same memory
  EXPECT_EQ(b[10], 42);
  UnmapViewOfFile(a);
  UnmapViewOfFile(b);
  CloseHandle(mapping);
  EXPECT_EQ(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 0, nullptr),
            nullptr);
}

TEST_F(FileMapping, ReleasedPagesOfAReadViewComeBackFromTheFile) {
  std::string content(4u << 20, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 + (i >> 12));
  HANDLE file = OpenWith(content, GENERIC_READ);
  HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  const char* view = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(std::memcmp(view, content.data(), content.size()), 0);  // every page touched
  EXPECT_GE(ResidentKb(view), 4000);
  // An unaligned range: the partial pages at both ends stay.
  Platform::ReleaseViewPages(view + 100, content.size() - 200);
  EXPECT_LE(ResidentKb(view), 8);
  EXPECT_EQ(std::memcmp(view, content.data(), content.size()), 0);
  // A range reaching past the view is not released at all.
  Platform::ReleaseViewPages(view, content.size() + 4096);
  EXPECT_GE(ResidentKb(view), 4000);
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  CloseHandle(file);
}

TEST_F(FileMapping, ReleasingLeavesChangedCopiesAndOtherMemoryAlone) {
  HANDLE file = OpenWith(std::string(3 * 4096, 'f'), GENERIC_READ);
  HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_WRITECOPY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  char* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_COPY, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  view[4096] = 'X';
  Platform::ReleaseViewPages(view, 3 * 4096);
  EXPECT_EQ(view[4096], 'X');
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  CloseHandle(file);

  std::vector<char> heap(16 * 4096, 'h');
  Platform::ReleaseViewPages(heap.data(), heap.size());
  EXPECT_EQ(heap[8 * 4096], 'h');
  Platform::ReleaseViewPages(nullptr, 0);
}

}  // namespace
