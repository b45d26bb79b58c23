#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Platform/Text/Utf.h"
#include "SevenZip/SevenZipHeader.h"
#include "SevenZip/SevenZipReader.h"
#include "support/SevenZip.h"
#include "support/TempDir.h"

namespace {

using SevenZip::SevenZipEntry;
using SevenZip::SevenZipError;
using SevenZip::SevenZipReader;
using SevenZip::SevenZipResult;
using TestSupport::TempDir;

// Archive bytes handed out in pieces of a fixed size; can be told to fail from a position on.
class BytesSource : public SevenZip::SevenZipSource {
 public:
  explicit BytesSource(std::string bytes, size_t piece = 4096)
      : m_bytes(std::move(bytes)), m_piece(piece) {}

  bool Read(const void** data, size_t* count) override {
    *count = 0;
    if (m_position >= m_bytes.size() || m_position >= m_failFrom) return false;
    *count = std::min(m_piece, m_bytes.size() - static_cast<size_t>(m_position));
    *data = m_bytes.data() + m_position;
    m_position += *count;
    return true;
  }
  bool Seek(uint64_t position) override {
    if (position > m_bytes.size()) return false;
    m_position = position;
    return true;
  }
  uint64_t Position() const override { return m_position; }
  uint64_t Size() const override { return m_bytes.size(); }
  void FailFrom(uint64_t position) { m_failFrom = position; }

 private:
  std::string m_bytes;
  size_t m_piece;
  uint64_t m_position = 0;
  uint64_t m_failFrom = UINT64_MAX;
};

struct Listed {
  SevenZipEntry entry;
  std::string data;
};

struct Outcome {
  std::vector<Listed> entries;
  SevenZipResult end = SevenZipResult::Ok;  // End after a clean pass, Error otherwise
  SevenZipError error = SevenZipError::None;
};

// Reads every entry; with `checked`, the headers' check is taken from that reader.
Outcome ReadAll(SevenZip::SevenZipSource& source, const SevenZipReader* checked = nullptr) {
  Outcome out;
  SevenZipReader reader(source);
  if ((checked ? reader.Open(*checked) : reader.Open()) != SevenZipResult::Ok) {
    out.end = SevenZipResult::Error;
    out.error = reader.LastError();
    return out;
  }
  SevenZipEntry entry;
  SevenZipResult r;
  while ((r = reader.NextEntry(&entry)) == SevenZipResult::Ok) {
    Listed listed{entry, {}};
    const void* data;
    size_t count;
    while ((r = reader.ReadData(&data, &count)) == SevenZipResult::Ok)
      listed.data.append(static_cast<const char*>(data), count);
    out.entries.push_back(listed);
    if (r == SevenZipResult::Error) break;
  }
  out.end = r;
  out.error = reader.LastError();
  return out;
}

Outcome ReadFileArchive(const std::filesystem::path& path, size_t piece = 4096) {
  BytesSource source(TestSupport::ReadFile(path), piece);
  return ReadAll(source);
}

std::map<std::string, std::string> Files(const Outcome& outcome) {
  std::map<std::string, std::string> files;
  for (const Listed& l : outcome.entries)
    if (!l.entry.isDirectory) files[Platform::Utf16ToUtf8(l.entry.name)] = l.data;
  return files;
}

// A small tree with some code-like bytes (for the branch filters), text and a sub-folder.
std::map<std::string, std::string> MakeTree(const std::filesystem::path& root) {
  std::map<std::string, std::string> files;
  std::string code;
  for (int i = 0; i < 20000; ++i) {
    code += "\x55\x8b\xec\xe8";
    code += static_cast<char>(i & 0xFF);
    code += static_cast<char>((i >> 8) & 0xFF);
    code += std::string("\x00\x00\x5d\xc3", 4);
  }
  files["tool.exe"] = code;
  files["readme.txt"] = std::string(3000, 'r') + "end";
  files["data/values.bin"] = std::string(70000, '\x07') + "tail";
  for (const auto& [name, bytes] : files) TestSupport::WriteFile(root / name, bytes);
  return files;
}

struct MethodCase {
  const char* label;
  const char* switches;
};

class SevenZipMethods : public ::testing::TestWithParam<MethodCase> {};

TEST_P(SevenZipMethods, EveryEntryComesBackWithItsNameSizeAndBytes) {
  TempDir dir("7zmethod");
  auto expected = MakeTree(dir / "tree");
  ASSERT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "a.7z", GetParam().switches));
  Outcome outcome = ReadFileArchive(dir / "a.7z");
  EXPECT_EQ(outcome.end, SevenZipResult::End);
  EXPECT_EQ(Files(outcome), expected);
  for (const Listed& l : outcome.entries) {
    EXPECT_EQ(l.entry.size, l.data.size());
    EXPECT_EQ(l.entry.isDirectory, l.entry.name == u"data");
  }
  EXPECT_EQ(outcome.entries.size(), expected.size() + 1);  // the "data" folder
}

// The sizes the headers store, read without the decoder, are the sizes the entries come with:
// files, an empty file, a folder and a link.
TEST_P(SevenZipMethods, TheHeadersGiveTheSizeOfEveryEntry) {
  TempDir dir("7zsizes");
  MakeTree(dir / "tree");
  TestSupport::WriteFile(dir / "tree/data/empty.txt", "");
  std::filesystem::create_directory_symlink("data", dir / "tree/link");
  ASSERT_TRUE(
      TestSupport::Pack7z(dir / "tree", dir / "a.7z", GetParam().switches + std::string(" -snl")));
  Outcome outcome = ReadFileArchive(dir / "a.7z");
  ASSERT_EQ(outcome.end, SevenZipResult::End);
  std::vector<uint64_t> sizes;
  for (const Listed& l : outcome.entries) sizes.push_back(l.entry.size);
  BytesSource source(TestSupport::ReadFile(dir / "a.7z"));
  SevenZipReader reader(source);
  ASSERT_EQ(reader.Open(), SevenZipResult::Ok);
  EXPECT_EQ(reader.EntrySizes(), sizes);
}

INSTANTIATE_TEST_SUITE_P(SevenZip, SevenZipMethods,
                         ::testing::Values(MethodCase{"LzmaBcj", "-m0=BCJ -m1=LZMA:d=1m -ms=on"},
                                           MethodCase{"Lzma2", "-m0=LZMA2 -ms=on"},
                                           MethodCase{"Bcj2", "-m0=LZMA -mf=BCJ2"},
                                           MethodCase{"Copy", "-m0=Copy"},
                                           MethodCase{"TwoBlocks", "-m0=BCJ -m1=LZMA -ms=1f"}),
                         [](const ::testing::TestParamInfo<MethodCase>& info) {
                           return info.param.label;
                         });

TEST(SevenZipReader, ShippedPayloadHasTwoBlocksAndTheLaunchersAtItsRoot) {
  ASSERT_EQ(TestSupport::SolidBlocks(TestSupport::ShippedPayload()), 2);
  Outcome outcome = ReadFileArchive(TestSupport::ShippedPayload());
  ASSERT_EQ(outcome.end, SevenZipResult::End);
  uint64_t total = 0;
  int files = 0, folders = 0;
  std::map<std::u16string, uint32_t> permissions;
  for (const Listed& l : outcome.entries) {
    total += l.entry.size;
    (l.entry.isDirectory ? folders : files)++;
    permissions[l.entry.name] = l.entry.permissions;
  }
  EXPECT_EQ(files, 20);
  EXPECT_EQ(folders, 2);
  EXPECT_EQ(total, 4824472u);
  // Programs keep their execute bits, data files do not get any.
  EXPECT_EQ(permissions[u"PlayCrate.exe"] & 0111, 0111u);
  EXPECT_EQ(permissions[u"Uninstall.exe"] & 0111, 0111u);
  EXPECT_EQ(permissions[u"readme.txt"] & 0111, 0u);
}

TEST(SevenZipReader, OneBytePiecesReadTheSameAsLargeOnes) {
  TempDir dir("7zpieces");
  auto expected = MakeTree(dir / "tree");
  ASSERT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "a.7z", "-m0=BCJ -m1=LZMA"));
  EXPECT_EQ(Files(ReadFileArchive(dir / "a.7z", 1)), expected);
}

TEST(SevenZipReader, EmptyFilesChineseNamesAndPaths) {
  TempDir dir("7znames");
  TestSupport::WriteFile(dir / "tree/empty.dat", "");
  TestSupport::WriteFile(dir / "tree/图片/中文名.txt", "汉字内容");
  TestSupport::WriteFile(dir / "tree/Ünïcödé 🎮.txt", "outside the BMP");
  ASSERT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "a.7z", "-m0=LZMA"));
  Outcome outcome = ReadFileArchive(dir / "a.7z");
  ASSERT_EQ(outcome.end, SevenZipResult::End);
  auto files = Files(outcome);
  ASSERT_EQ(files.count("empty.dat"), 1u);
  EXPECT_EQ(files["empty.dat"], "");
  EXPECT_EQ(files["图片/中文名.txt"], "汉字内容");
  EXPECT_EQ(files["Ünïcödé 🎮.txt"], "outside the BMP");
  bool folder = false;
  for (const Listed& l : outcome.entries) folder |= l.entry.isDirectory && l.entry.name == u"图片";
  EXPECT_TRUE(folder);
}

TEST(SevenZipReader, NamesComeBackExactlyAsStored) {
  // Unsafe names are the caller's to refuse; the reader must not hide or alter them.
  TempDir dir("7zraw");
  TestSupport::WriteFile(dir / "tree/a.txt", "a");
  TestSupport::WriteFile(dir / "tree/b.txt", "b");
  TestSupport::WriteFile(dir / "tree/c.txt", "c");
  ASSERT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "a.7z", "-m0=LZMA"));
  ASSERT_TRUE(TestSupport::Rename7z(dir / "a.7z", "a.txt", "../up.txt"));
  ASSERT_TRUE(TestSupport::Rename7z(dir / "a.7z", "b.txt", "/etc/abs.txt"));
  ASSERT_TRUE(TestSupport::Rename7z(dir / "a.7z", "c.txt", "C:\\drive.txt"));
  auto files = Files(ReadFileArchive(dir / "a.7z"));
  EXPECT_EQ(files["../up.txt"], "a");
  EXPECT_EQ(files["/etc/abs.txt"], "b");
  EXPECT_EQ(files["C:\\drive.txt"], "c");
}

TEST(SevenZipReader, FolderEntryAfterItsFiles) {
  // 7zz always lists folders first; libarchive's writer puts them after the files.
  TempDir dir("7zorder");
  std::string path = (dir / "a.7z").string();
  archive* writer = archive_write_new();
  ASSERT_EQ(archive_write_set_format_7zip(writer), ARCHIVE_OK);
  ASSERT_EQ(archive_write_open_filename(writer, path.c_str()), ARCHIVE_OK);
  auto add = [&](const char* name, int type, const std::string& data) {
    archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, name);
    archive_entry_set_filetype(e, static_cast<unsigned>(type));
    archive_entry_set_perm(e, 0644);
    archive_entry_set_size(e, static_cast<la_int64_t>(data.size()));
    archive_write_header(writer, e);
    if (!data.empty()) archive_write_data(writer, data.data(), data.size());
    archive_entry_free(e);
  };
  add("sub", AE_IFDIR, "");
  add("sub/x.txt", AE_IFREG, "inside");
  archive_write_close(writer);
  archive_write_free(writer);
  ASSERT_EQ(TestSupport::RunShell("7zz t -bso0 -bsp0 " + TestSupport::ShellQuote(path)), 0);

  Outcome outcome = ReadFileArchive(path);
  ASSERT_EQ(outcome.entries.size(), 2u);
  EXPECT_EQ(outcome.entries[0].entry.name, u"sub/x.txt");
  EXPECT_EQ(outcome.entries[0].data, "inside");
  EXPECT_EQ(outcome.entries[1].entry.name, u"sub");
  EXPECT_TRUE(outcome.entries[1].entry.isDirectory);
}

// What the entries and their blocks look like, for comparing two readings.
std::string Summary(const Outcome& outcome) {
  std::string text;
  for (const Listed& l : outcome.entries)
    text += Platform::Utf16ToUtf8(l.entry.name) + " block " + std::to_string(l.entry.block) +
            " bytes " + std::to_string(l.data.size()) + "\n";
  return text + (outcome.end == SevenZipResult::End ? "end" : "error");
}

TEST(SevenZipReader, TheHeaderCheckMayComeFromAnotherReaderOfTheSameBytes) {
  TempDir dir("7zchecked");
  MakeTree(dir / "tree");
  ASSERT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "a.7z", "-m0=LZMA -ms=1f"));
  const std::string good = TestSupport::ReadFile(dir / "a.7z");
  std::string damaged = good;
  damaged[damaged.size() - 5] ^= 0x55;
  BytesSource plainSource(good);
  const Outcome plain = ReadAll(plainSource);
  ASSERT_EQ(plain.end, SevenZipResult::End);
  ASSERT_GE(plain.entries.back().entry.block, 1);  // the blocks are known

  BytesSource checkedSource(good), unopenedSource(good), badSource(damaged);
  SevenZipReader checked(checkedSource), unopened(unopenedSource), bad(badSource);
  ASSERT_EQ(checked.Open(), SevenZipResult::Ok);
  ASSERT_EQ(bad.Open(), SevenZipResult::Error);
  BytesSource again(good), alone(good), refused(damaged);
  EXPECT_EQ(Summary(ReadAll(again, &checked)), Summary(plain));
  EXPECT_EQ(Summary(ReadAll(alone, &unopened)), Summary(plain));  // checks the bytes itself
  const Outcome failed = ReadAll(refused, &bad);
  EXPECT_EQ(failed.end, SevenZipResult::Error);
  EXPECT_EQ(failed.error, SevenZipError::Format);
}

TEST(SevenZipReader, DamagedHeadersAreFormatErrors) {
  TempDir dir("7zformat");
  MakeTree(dir / "tree");
  ASSERT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "a.7z", "-m0=LZMA"));
  std::string good = TestSupport::ReadFile(dir / "a.7z");

  std::string firstTwo = good;
  firstTwo[0] = 'M';
  firstTwo[1] = 'Z';
  std::string signature = good;
  signature[3] ^= 0x40;
  std::string truncated = good.substr(0, good.size() - 20);
  std::string header = good;
  header[header.size() - 5] ^= 0x55;  // inside the (end) header database
  for (const std::string* bytes : {&firstTwo, &signature, &truncated, &header}) {
    BytesSource source(*bytes);
    Outcome outcome = ReadAll(source);
    EXPECT_EQ(outcome.end, SevenZipResult::Error);
    EXPECT_EQ(outcome.error, SevenZipError::Format);
    EXPECT_TRUE(outcome.entries.empty());
  }
}

// Headers that 7-Zip refuses are refused, also where the decoder alone would read them: each
// case keeps its header CRCs right so that only the named fault is left.
TEST(SevenZipReader, CraftedHeadersAreRefused) {
  TempDir dir("7zcrafted");
  TestSupport::WriteFile(dir / "tree/aXb.txt", "first");
  TestSupport::WriteFile(dir / "tree/c.txt", "second");
  ASSERT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "a.7z", "-m0=LZMA -mhc=off"));
  const std::string good = TestSupport::ReadFile(dir / "a.7z");
  const size_t header = TestSupport::NextHeaderStart(good);
  {
    BytesSource source(good);
    ASSERT_EQ(ReadAll(source).end, SevenZipResult::End);
  }

  std::map<std::string, std::string> cases;
  cases["start header CRC"] = good;
  cases["start header CRC"][8] ^= 0x01;
  cases["next header size 2^62"] = good;
  cases["next header size 2^62"][27] = 0x40;
  cases["next header size 2^62"] = TestSupport::Reseal7z(cases["next header size 2^62"]);
  std::string shifted = good;
  ASSERT_TRUE(TestSupport::Patch(&shifted, header, std::string("a\0X\0b\0", 6),
                                 std::string("a\0\0\0b\0", 6)));
  cases["NUL inside a name"] = TestSupport::Reseal7z(shifted);
  std::string empty = good;
  for (int i = 20; i < 28; ++i) empty[i] = 0;
  cases["no next header but an offset"] = TestSupport::Reseal7z(empty);
  std::string property = good;
  property[header] = 0x05;
  cases["header of files info only"] = TestSupport::Reseal7z(property);
  std::string beyond = good;
  beyond[12] = static_cast<char>(beyond[12] + 8);  // the next header now ends past the file
  cases["next header past the end"] = TestSupport::Reseal7z(beyond);
  // One stored byte in one block claimed as 2^32 streams, all with a digest: tables that large
  // cannot come from the few bytes that follow.
  const std::string streams =
      std::string(
          "\x01\x04\x06\x00\x01\x09\x01\x00\x07\x0B\x01\x00\x01\x01\x00\x0C\x01\x00"
          "\x08\x0D\xF1\x00\x00\x00\x00\x0A\x01",
          27) +
      std::string(16, '\0');
  std::string claims = std::string("7z\xBC\xAF\x27\x1C\x00\x04", 8) + std::string(24, '\0') + "x";
  claims[12] = 1;  // the next header follows the one stored byte
  claims[20] = static_cast<char>(streams.size());
  cases["2^32 digests in a few bytes"] = TestSupport::Reseal7z(claims + streams);

  for (const auto& [label, bytes] : cases) {
    BytesSource source(bytes);
    Outcome outcome = ReadAll(source);
    EXPECT_EQ(outcome.end, SevenZipResult::Error) << label;
    EXPECT_EQ(outcome.error, SevenZipError::Format) << label;
    EXPECT_TRUE(outcome.entries.empty()) << label;
  }
}

// A coder the decoder lacks is reported as such, not as damage; a name that is not valid UTF-16
// is the fault of that entry alone.
TEST(SevenZipReader, UndecodableCodersAndHalfCharactersAreTold) {
  TempDir dir("7zreason");
  TestSupport::WriteFile(dir / "tree/aXb.txt", std::string(3000, 'a'));
  TestSupport::WriteFile(dir / "tree/c.txt", std::string(3000, 'c'));
  ASSERT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "delta.7z", "-m0=Delta:4 -m1=LZMA -mhc=off"));
  ASSERT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "lzma.7z", "-m0=LZMA -mhc=off"));

  // The delta filter's id (03) becomes that of the ARM64 branch filter (0A).
  std::string arm64 = TestSupport::ReadFile(dir / "delta.7z");
  ASSERT_TRUE(TestSupport::Patch(&arm64, TestSupport::NextHeaderStart(arm64),
                                 std::string("\x21\x03\x01", 3), std::string("\x21\x0A\x01", 3)));
  BytesSource unsupported(TestSupport::Reseal7z(arm64));
  Outcome outcome = ReadAll(unsupported);
  EXPECT_EQ(outcome.end, SevenZipResult::Error);
  EXPECT_EQ(outcome.error, SevenZipError::NotSupported);

  std::string lone = TestSupport::ReadFile(dir / "lzma.7z");
  ASSERT_TRUE(TestSupport::Patch(&lone, TestSupport::NextHeaderStart(lone),
                                 std::string("a\0X\0b\0", 6),
                                 std::string("a\0\0\xD8"
                                             "b\0",
                                             6)));
  BytesSource halfCharacter(TestSupport::Reseal7z(lone));
  outcome = ReadAll(halfCharacter);
  EXPECT_EQ(outcome.end, SevenZipResult::End);
  ASSERT_EQ(outcome.entries.size(), 2u);
  EXPECT_EQ(outcome.entries[0].entry.name, std::u16string(u"a\xD800"
                                                          u"b.txt"));
  EXPECT_TRUE(SevenZip::HasLoneSurrogate(outcome.entries[0].entry.name));
  EXPECT_EQ(outcome.entries[1].entry.name, u"c.txt");
  EXPECT_EQ(outcome.entries[1].data, std::string(3000, 'c'));
}

TEST(SevenZipReader, OtherArchiveFormatsAreRefused) {
  TempDir dir("7zzip");
  TestSupport::WriteFile(dir / "tree/a.txt", "zip me");
  ASSERT_EQ(TestSupport::RunShell("cd " + TestSupport::ShellQuote((dir / "tree").string()) +
                                  " && 7zz a -tzip -bso0 ../a.zip a.txt && tar cf ../a.tar a.txt"),
            0);
  for (const char* name : {"a.zip", "a.tar"}) {
    Outcome outcome = ReadFileArchive(dir / name);
    EXPECT_EQ(outcome.end, SevenZipResult::Error) << name;
    EXPECT_EQ(outcome.error, SevenZipError::Format) << name;
  }
}

TEST(SevenZipReader, CorruptSecondBlockStopsAtItsFirstEntry) {
  TempDir dir("7zblock");
  TestSupport::WriteFile(dir / "tree/1.bin", std::string(200000, '1') + "one");
  TestSupport::WriteFile(dir / "tree/2.bin", std::string(200000, '2') + "two");
  ASSERT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "a.7z", "-m0=BCJ -m1=LZMA -ms=1f"));
  ASSERT_EQ(TestSupport::SolidBlocks(dir / "a.7z"), 2);
  long long first = TestSupport::PackedBlockSize(dir / "a.7z", 0);
  long long second = TestSupport::PackedBlockSize(dir / "a.7z", 1);
  ASSERT_GT(first, 0);
  ASSERT_GT(second, 8);
  std::string bytes = TestSupport::ReadFile(dir / "a.7z");
  bytes[static_cast<size_t>(TestSupport::kPackedDataStart + first + second / 2)] ^= 0x5A;
  BytesSource source(bytes);
  Outcome outcome = ReadAll(source);
  EXPECT_EQ(outcome.end, SevenZipResult::Error);
  EXPECT_EQ(outcome.error, SevenZipError::Data);
  ASSERT_EQ(outcome.entries.size(), 2u);
  EXPECT_EQ(outcome.entries[0].data, std::string(200000, '1') + "one");
  EXPECT_NE(outcome.entries[1].data, std::string(200000, '2') + "two");
}

TEST(SevenZipReader, CrcMismatchIsAnErrorNotAWarning) {
  // With the copy method the damaged bytes decode "fine" and only the CRC notices.
  TempDir dir("7zcrc");
  TestSupport::WriteFile(dir / "tree/a.txt", std::string(5000, 'a'));
  TestSupport::WriteFile(dir / "tree/b.txt", "b");
  ASSERT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "a.7z", "-m0=Copy"));
  std::string bytes = TestSupport::ReadFile(dir / "a.7z");
  bytes[TestSupport::kPackedDataStart + 100] ^= 0x01;
  BytesSource source(bytes);
  Outcome outcome = ReadAll(source);
  EXPECT_EQ(outcome.end, SevenZipResult::Error);
  EXPECT_EQ(outcome.error, SevenZipError::Data);
  ASSERT_EQ(outcome.entries.size(), 1u);
  EXPECT_EQ(outcome.entries[0].entry.name, u"a.txt");
}

TEST(SevenZipReader, SourceFailureIsAnInputError) {
  TempDir dir("7zinput");
  MakeTree(dir / "tree");
  ASSERT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "a.7z", "-m0=LZMA -mhc=off"));
  BytesSource source(TestSupport::ReadFile(dir / "a.7z"), 512);
  source.FailFrom(TestSupport::kPackedDataStart + 1000);
  Outcome outcome = ReadAll(source);
  EXPECT_EQ(outcome.end, SevenZipResult::Error);
  EXPECT_EQ(outcome.error, SevenZipError::Input);
}

TEST(SevenZipReader, EveryCallAfterAnErrorKeepsFailing) {
  BytesSource source(std::string(100, 'x'));
  SevenZipReader reader(source);
  EXPECT_EQ(reader.Open(), SevenZipResult::Error);
  SevenZipEntry entry;
  EXPECT_EQ(reader.NextEntry(&entry), SevenZipResult::Error);
  const void* data;
  size_t count;
  EXPECT_EQ(reader.ReadData(&data, &count), SevenZipResult::Error);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(reader.Open(), SevenZipResult::Error);
}

}  // namespace
