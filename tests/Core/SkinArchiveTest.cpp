#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/SkinArchive.h"
#include "support/TestData.h"
#include "support/WideString.h"

using namespace SkinUI;
using TestSupport::ReadDataFile;

namespace {

// Holds the archive bytes for as long as the open archive needs them.
class MemoryArchive {
 public:
  explicit MemoryArchive(std::string bytes)
      : m_bytes(std::move(bytes)), m_archive(OpenArchiveMemory(m_bytes.data(), m_bytes.size())) {}
  ~MemoryArchive() { CloseArchive(m_archive); }
  SkinArchive* get() const { return m_archive; }

 private:
  std::string m_bytes;
  SkinArchive* m_archive;
};

std::string ExtractWhole(SkinArchive* archive, LPCWSTR name, DWORD* code = nullptr) {
  ArchiveEntry entry;
  DWORD found = FindArchiveEntry(archive, name, true, &entry);
  if (found != kArchiveOk) {
    if (code) *code = found;
    return "<not found>";
  }
  std::string bytes(entry.uncompressedSize, '\0');
  DWORD extracted = ExtractArchiveEntry(archive, entry.index, bytes.data(), bytes.size());
  if (code) *code = extracted;
  return bytes;
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// Offset of the central-directory header of `name`.
size_t CentralHeaderOf(const std::string& zip, const std::string& name) {
  for (size_t at = zip.find("PK\x01\x02"); at != std::string::npos;
       at = zip.find("PK\x01\x02", at + 4)) {
    const size_t length =
        static_cast<unsigned char>(zip[at + 28]) | (static_cast<unsigned char>(zip[at + 29]) << 8);
    if (zip.compare(at + 46, length, name) == 0 && length == name.size()) return at;
  }
  ADD_FAILURE() << "no central header for " << name;
  return 0;
}

// Offset of the first data byte of `name`, from its local header.
size_t DataOf(const std::string& zip, const std::string& name) {
  const size_t central = CentralHeaderOf(zip, name);
  const size_t local = TestSupport::ReadLe32(zip, central + 42);
  const size_t nameLength = static_cast<unsigned char>(zip[local + 26]) |
                            (static_cast<unsigned char>(zip[local + 27]) << 8);
  const size_t extraLength = static_cast<unsigned char>(zip[local + 28]) |
                             (static_cast<unsigned char>(zip[local + 29]) << 8);
  return local + 30 + nameLength + extraLength;
}

class EveryZipWriter : public ::testing::TestWithParam<const char*> {};

TEST_P(EveryZipWriter, FindsEntriesIgnoringAsciiCaseAndBackslashes) {
  MemoryArchive zip(ReadDataFile(std::string("skin/") + GetParam()));
  ASSERT_NE(zip.get(), nullptr);
  ArchiveEntry lower, upper, slashed;
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(zip.get(), TEXT("skin.xml"), true, &lower));
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(zip.get(), TEXT("Skin.XML"), true, &upper));
  EXPECT_EQ(lower.index, upper.index);
  EXPECT_EQ(0, lower.index);
  EXPECT_EQ(362u, upper.uncompressedSize);
  EXPECT_EQ(WString(TEXT("skin.xml")), upper.name);
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(zip.get(), TEXT("sub\\a.png"), true, &slashed));
  EXPECT_EQ(WString(TEXT("sub/a.png")), slashed.name);
  EXPECT_EQ(kArchiveNotFound, FindArchiveEntry(zip.get(), TEXT("skin.xm"), true, &lower));
  EXPECT_EQ(kArchiveNotFound, FindArchiveEntry(zip.get(), TEXT("skin.xml "), true, &lower));
  EXPECT_EQ(kArchiveNotFound, FindArchiveEntry(zip.get(), TEXT(""), true, &lower));
}

TEST_P(EveryZipWriter, ExtractsExactBytes) {
  MemoryArchive zip(ReadDataFile(std::string("skin/") + GetParam()));
  ASSERT_NE(zip.get(), nullptr);
  DWORD code = 0;
  EXPECT_EQ(ReadDataFile("skin/rgba.png"), ExtractWhole(zip.get(), TEXT("SUB/A.PNG"), &code));
  EXPECT_EQ(kArchiveOk, code);
  EXPECT_EQ(Repeat("Halvane skin data ", 400), ExtractWhole(zip.get(), TEXT("repeat.txt"), &code));
  EXPECT_EQ(kArchiveOk, code);
  const std::string xml = ExtractWhole(zip.get(), TEXT("skin.xml"), &code);
  EXPECT_EQ(kArchiveOk, code);
  EXPECT_EQ(0u, xml.find("<?xml version=\"1.0\""));
  EXPECT_NE(std::string::npos, xml.find("Halvane &amp; friends"));
}

TEST_P(EveryZipWriter, EmptyEntryExtractsNothingSuccessfully) {
  MemoryArchive zip(ReadDataFile(std::string("skin/") + GetParam()));
  ArchiveEntry entry;
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(zip.get(), TEXT("EMPTY.txt"), true, &entry));
  EXPECT_EQ(0u, entry.uncompressedSize);
  char unused = 'x';
  EXPECT_EQ(kArchiveOk, ExtractArchiveEntry(zip.get(), entry.index, &unused, 0));
  EXPECT_EQ('x', unused);
}

TEST_P(EveryZipWriter, ShortBufferReportsMoreDataAfterFillingIt) {
  MemoryArchive zip(ReadDataFile(std::string("skin/") + GetParam()));
  ArchiveEntry entry;
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(zip.get(), TEXT("repeat.txt"), true, &entry));
  std::string part(100, '\0');
  const DWORD code = ExtractArchiveEntry(zip.get(), entry.index, part.data(), part.size());
  EXPECT_EQ(kArchiveMore, code);
  EXPECT_TRUE(ArchiveSucceeded(code));
  EXPECT_EQ(Repeat("Halvane skin data ", 400).substr(0, 100), part);
  // The archive stays usable after a partial read.
  EXPECT_EQ(Repeat("Halvane skin data ", 400), ExtractWhole(zip.get(), TEXT("repeat.txt")));
}

TEST_P(EveryZipWriter, DirectoriesAndAttributes) {
  MemoryArchive zip(ReadDataFile(std::string("skin/") + GetParam()));
  ArchiveEntry entry;
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(zip.get(), TEXT("sub/a.png"), true, &entry));
  EXPECT_EQ(0u, entry.attributes & 0x10);
  if (std::string(GetParam()) != "python.zip") {
    ASSERT_EQ(kArchiveOk, FindArchiveEntry(zip.get(), TEXT("SUB/"), true, &entry));
    EXPECT_EQ(0x10u, entry.attributes & 0x10);
  }
}

INSTANTIATE_TEST_SUITE_P(Writers, EveryZipWriter,
                         ::testing::Values("stored.zip", "deflated.zip", "python.zip"));

TEST(SkinArchive, FirstMatchInArchiveOrderWinsAndCaseFoldingIsAsciiOnly) {
  MemoryArchive zip(ReadDataFile("skin/python.zip"));
  ASSERT_NE(zip.get(), nullptr);
  ArchiveEntry entry;
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(zip.get(), TEXT("SKIN.XML"), true, &entry));
  EXPECT_EQ(0, entry.index);
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(zip.get(), TEXT("SKIN.XML"), false, &entry));
  EXPECT_EQ(6, entry.index);
  std::string second(entry.uncompressedSize, '\0');
  EXPECT_EQ(kArchiveOk, ExtractArchiveEntry(zip.get(), entry.index, second.data(), second.size()));
  EXPECT_EQ("<Second/>", second);
  EXPECT_EQ(kArchiveNotFound, FindArchiveEntry(zip.get(), TEXT("Skin.xml"), false, &entry));

  ASSERT_EQ(kArchiveOk,
            FindArchiveEntry(zip.get(), TEXT("gr\u00f6\u00dfe\\bild.PNG"), true, &entry));
  EXPECT_EQ(WString(TEXT("Gr\u00f6\u00dfe/Bild.png")), entry.name);
  EXPECT_EQ(ReadDataFile("skin/rgba.png"),
            ExtractWhole(zip.get(), TEXT("Gr\u00f6\u00dfe/Bild.png")));
  // Non-ASCII letters keep their case.
  EXPECT_EQ(kArchiveNotFound,
            FindArchiveEntry(zip.get(), TEXT("GR\u00d6\u00dfE/BILD.PNG"), true, &entry));
}

TEST(SkinArchive, DescribesTimeOfEntry) {
  MemoryArchive zip(ReadDataFile("skin/python.zip"));
  ArchiveEntry entry;
  ASSERT_EQ(kArchiveOk, FindArchiveEntry(zip.get(), TEXT("skin.xml"), true, &entry));
  const uint64_t ticks =
      (static_cast<uint64_t>(entry.writeTime.dwHighDateTime) << 32) | entry.writeTime.dwLowDateTime;
  EXPECT_EQ(133604226440000000ull, ticks);  // 2024-05-17 12:30:44
  EXPECT_EQ(252u, entry.compressedSize);
}

TEST(SkinArchive, NamesBeyond255BytesAreNeverFound) {
  MemoryArchive zip(ReadDataFile("skin/longnames.zip"));
  ASSERT_NE(zip.get(), nullptr);
  const WString longest = WString(251, TEXT('A')) + TEXT(".TXT");
  const WString tooLong = WString(252, TEXT('b')) + TEXT(".txt");
  EXPECT_EQ("255", ExtractWhole(zip.get(), longest.c_str()));
  ArchiveEntry entry;
  EXPECT_EQ(kArchiveNotFound, FindArchiveEntry(zip.get(), tooLong.c_str(), true, &entry));
}

TEST(SkinArchive, BrokenArchivesDoNotOpen) {
  const std::string good = ReadDataFile("skin/deflated.zip");
  const std::vector<std::string> broken = {
      std::string(),
      std::string("PK\x05\x06", 4),
      std::string(1000, '\0'),
      "not a zip at all, just some words that go on for a while",
      good.substr(0, good.size() / 2),
      good.substr(0, good.size() - 10),
  };
  for (const std::string& bytes : broken) {
    SkinArchive* archive = OpenArchiveMemory(bytes.data(), bytes.size());
    EXPECT_EQ(nullptr, archive) << bytes.size();
    CloseArchive(archive);
  }
  EXPECT_EQ(nullptr, OpenArchiveMemory(nullptr, 10));
}

TEST(SkinArchive, DamagedDataFailsToExtract) {
  // Deflated data with its middle overwritten, and stored data with one byte changed.
  std::string deflated = ReadDataFile("skin/deflated.zip");
  const size_t at = DataOf(deflated, "repeat.txt");
  for (size_t i = 10; i < 30; ++i) deflated[at + i] = static_cast<char>(0xA5 + i);
  MemoryArchive damagedDeflate(deflated);
  DWORD code = kArchiveOk;
  ExtractWhole(damagedDeflate.get(), TEXT("repeat.txt"), &code);
  EXPECT_FALSE(ArchiveSucceeded(code));
  // The undamaged entries still extract.
  EXPECT_EQ(ReadDataFile("skin/rgba.png"), ExtractWhole(damagedDeflate.get(), TEXT("sub/a.png")));

  std::string stored = ReadDataFile("skin/stored.zip");
  stored[DataOf(stored, "repeat.txt") + 5] ^= 0x20;
  MemoryArchive damagedStore(stored);
  ExtractWhole(damagedStore.get(), TEXT("repeat.txt"), &code);
  EXPECT_EQ(kArchiveCorrupt, code);
}

TEST(SkinArchive, ImpossibleSizesAreRefusedBeforeAnyoneAllocates) {
  std::string deflated = ReadDataFile("skin/deflated.zip");
  TestSupport::WriteLe32(deflated, CentralHeaderOf(deflated, "repeat.txt") + 24, 0xFFFFFFF0u);
  MemoryArchive huge(deflated);
  ASSERT_NE(huge.get(), nullptr);
  ArchiveEntry entry;
  EXPECT_EQ(kArchiveCorrupt, FindArchiveEntry(huge.get(), TEXT("repeat.txt"), true, &entry));
  EXPECT_EQ(kArchiveOk, FindArchiveEntry(huge.get(), TEXT("skin.xml"), true, &entry));

  std::string stored = ReadDataFile("skin/stored.zip");
  TestSupport::WriteLe32(stored, CentralHeaderOf(stored, "skin.xml") + 24, 363);
  MemoryArchive mismatched(stored);
  EXPECT_EQ(kArchiveCorrupt, FindArchiveEntry(mismatched.get(), TEXT("skin.xml"), true, &entry));
}

TEST(SkinArchive, DeclaredSizeLongerThanTheDataIsCorrupt) {
  // A deflate stream that ends before the size its header promises.
  std::string deflated = ReadDataFile("skin/deflated.zip");
  const size_t central = CentralHeaderOf(deflated, "repeat.txt");
  TestSupport::WriteLe32(deflated, central + 24, 7300);
  const size_t local = TestSupport::ReadLe32(deflated, central + 42);
  TestSupport::WriteLe32(deflated, local + 22, 7300);
  MemoryArchive longer(deflated);
  DWORD code = kArchiveOk;
  ExtractWhole(longer.get(), TEXT("repeat.txt"), &code);
  EXPECT_EQ(kArchiveCorrupt, code);
}

TEST(SkinArchive, BadArgumentsFail) {
  MemoryArchive zip(ReadDataFile("skin/stored.zip"));
  ArchiveEntry entry;
  char buffer[4];
  EXPECT_FALSE(ArchiveSucceeded(FindArchiveEntry(nullptr, TEXT("skin.xml"), true, &entry)));
  EXPECT_FALSE(ArchiveSucceeded(FindArchiveEntry(zip.get(), nullptr, true, &entry)));
  EXPECT_FALSE(ArchiveSucceeded(ExtractArchiveEntry(zip.get(), -1, buffer, 4)));
  EXPECT_FALSE(ArchiveSucceeded(ExtractArchiveEntry(zip.get(), 7, buffer, 4)));
  EXPECT_FALSE(ArchiveSucceeded(ExtractArchiveEntry(nullptr, 0, buffer, 4)));
  EXPECT_FALSE(ArchiveSucceeded(ExtractArchiveEntry(zip.get(), 0, nullptr, 4)));
  CloseArchive(nullptr);
}

}  // namespace
