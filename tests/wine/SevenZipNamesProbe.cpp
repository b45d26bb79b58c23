// sevenzip_names_probe <archive>: lists a 7z archive through the installer's archive reader, one
// line per entry in archive order, "<name in UTF-8>\t<bytes of data>" with a trailing "/" on
// folders, then "end" after a clean pass or "error <kind>" when the reader failed.
#include <cstdio>
#include <string>
#include <vector>

#include "Platform/Win32.h"
#include "SevenZip/SevenZipReader.h"

namespace {

class FileBytes : public SevenZip::SevenZipSource {
 public:
  explicit FileBytes(std::vector<char> bytes) : m_bytes(std::move(bytes)) {}
  bool Read(const void** data, size_t* count) override {
    *count = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
    *data = m_bytes.data() + m_position;
    m_position += *count;
    return *count > 0;
  }
  bool Seek(uint64_t position) override {
    if (position >= m_bytes.size()) return false;
    m_position = static_cast<size_t>(position);
    return true;
  }
  uint64_t Position() const override { return m_position; }
  uint64_t Size() const override { return m_bytes.size(); }

 private:
  std::vector<char> m_bytes;
  size_t m_position = 0;
};

std::string Utf8(const SevenZip::WideName& name) {
  int size = WideCharToMultiByte(CP_UTF8, 0, name.c_str(), static_cast<int>(name.size()), nullptr,
                                 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, name.c_str(), static_cast<int>(name.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

bool ReadWhole(const char* path, std::vector<char>* bytes) {
  FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  char buffer[65536];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
    bytes->insert(bytes->end(), buffer, buffer + n);
  std::fclose(file);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char> bytes;
  if (argc != 2 || !ReadWhole(argv[1], &bytes)) return 2;
  FileBytes source(std::move(bytes));
  SevenZip::SevenZipReader reader(source);
  SevenZip::SevenZipResult result = reader.Open();
  SevenZip::SevenZipEntry entry;
  while (result == SevenZip::SevenZipResult::Ok &&
         (result = reader.NextEntry(&entry)) == SevenZip::SevenZipResult::Ok) {
    size_t total = 0;
    const void* data = nullptr;
    size_t count = 0;
    while ((result = reader.ReadData(&data, &count)) == SevenZip::SevenZipResult::Ok)
      total += count;
    if (result != SevenZip::SevenZipResult::End) break;
    result = SevenZip::SevenZipResult::Ok;
    std::printf("%s%s\t%zu\n", Utf8(entry.name).c_str(), entry.isDirectory ? "/" : "", total);
  }
  if (result == SevenZip::SevenZipResult::End)
    std::printf("end\n");
  else
    std::printf("error %d\n", static_cast<int>(reader.LastError()));
  return 0;
}
