#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Platform/Text/Utf.h"
#include "SevenZip/SevenZipBlockProbe.h"
#include "SevenZip/SevenZipSplitReader.h"
#include "support/SevenZip.h"
#include "support/TempDir.h"

namespace {

using SevenZip::SevenZipEntry;
using SevenZip::SevenZipError;
using SevenZip::SevenZipReader;
using SevenZip::SevenZipResult;
using SevenZip::SevenZipSplitReader;
using TestSupport::TempDir;

// Archive bytes held elsewhere, handed out 4,096 at a time.
class ViewSource : public SevenZip::SevenZipSource {
 public:
  explicit ViewSource(const std::string& bytes) : m_bytes(bytes) {}
  bool Read(const void** data, size_t* count) override {
    *count = std::min<size_t>(4096, m_bytes.size() - static_cast<size_t>(m_position));
    *data = m_bytes.data() + m_position;
    m_position += *count;
    return *count > 0;
  }
  bool Seek(uint64_t position) override {
    if (position > m_bytes.size()) return false;
    m_position = position;
    return true;
  }
  uint64_t Position() const override { return m_position; }
  uint64_t Size() const override { return m_bytes.size(); }

 private:
  const std::string& m_bytes;
  uint64_t m_position = 0;
};

SevenZip::SevenZipSourceMaker MakerOf(const std::string& bytes) {
  return [&bytes]() -> std::unique_ptr<SevenZip::SevenZipSource> {
    return std::make_unique<ViewSource>(bytes);
  };
}

// What a caller saw: every result in order, with the names and the bytes it read. Entry i is
// read whole, passed over, or read for its first 1,000 bytes only, by i % 3.
template <typename Reader>
std::string Walk(Reader& reader) {
  std::ostringstream seen;
  seen << "open " << static_cast<int>(reader.Open()) << "\n";
  SevenZipEntry entry;
  SevenZipResult result;
  for (int i = 0; (result = reader.NextEntry(&entry)) == SevenZipResult::Ok; ++i) {
    seen << Platform::Utf16ToUtf8(entry.name) << " " << entry.size << " " << entry.isDirectory;
    std::string data;
    const void* piece;
    size_t count;
    SevenZipResult read = SevenZipResult::Ok;
    while (i % 3 != 1 && (i % 3 == 0 || data.size() < 1000) &&
           (read = reader.ReadData(&piece, &count)) == SevenZipResult::Ok)
      data.append(static_cast<const char*>(piece), count);
    if (i % 3 == 2) data.resize(std::min<size_t>(data.size(), 1000));
    seen << " read " << static_cast<int>(read) << " " << std::hash<std::string>()(data) << " "
         << data.size() << "\n";
  }
  seen << "end " << static_cast<int>(result) << " error " << static_cast<int>(reader.LastError())
       << "\n";
  return seen.str();
}

std::string PlainWalk(const std::string& bytes) {
  ViewSource source(bytes);
  SevenZipReader reader(source);
  return Walk(reader);
}

std::string SplitWalk(const std::string& bytes, bool* split,
                      size_t limit = SevenZipSplitReader::kAheadLimit) {
  ViewSource source(bytes);
  SevenZipSplitReader reader(source, MakerOf(bytes), limit);
  std::string seen = Walk(reader);
  *split = reader.Split();
  return seen;
}

// Files of different kinds and sizes, an empty file and an empty folder, packed two files to a
// solid block with the branch filter in front of LZMA: several blocks.
std::string MakeArchive(TempDir& dir, const std::string& switches = "-m0=BCJ -m1=LZMA -ms=2f") {
  std::string code;
  for (int i = 0; i < 30000; ++i) code += std::string("\xe8\x10\x20", 3) + static_cast<char>(i);
  TestSupport::WriteFile(dir / "tree/a.exe", code);
  TestSupport::WriteFile(dir / "tree/b.txt", std::string(300000, 'b') + "end");
  TestSupport::WriteFile(dir / "tree/c/empty.txt", "");
  TestSupport::WriteFile(dir / "tree/c/d.bin", std::string(700000, 'd'));
  TestSupport::WriteFile(dir / "tree/c/e.bin", std::string(1000, 'e'));
  TestSupport::WriteFile(dir / "tree/f.txt", std::string(900000, 'f') + "tail");
  std::filesystem::create_directories(dir / "tree/g");
  EXPECT_TRUE(TestSupport::Pack7z(dir / "tree", dir / "a.7z", switches));
  return TestSupport::ReadFile(dir / "a.7z");
}

// The paths 7zz lists in solid block `block`, in its order.
std::vector<std::string> PathsInBlock(const std::filesystem::path& archive, int block) {
  std::filesystem::path listing = archive.string() + ".txt";
  TestSupport::RunShell("7zz l -slt " + TestSupport::ShellQuote(archive.string()) + " > " +
                        TestSupport::ShellQuote(listing.string()));
  std::istringstream lines(TestSupport::ReadFile(listing));
  std::vector<std::string> paths;
  std::string line, path;
  while (std::getline(lines, line)) {
    if (line.rfind("Path = ", 0) == 0) path = line.substr(7);
    if (line == "Block = " + std::to_string(block)) paths.push_back(path);
  }
  return paths;
}

std::vector<std::string> Names(const std::string& bytes) {
  ViewSource source(bytes);
  SevenZipReader reader(source);
  std::vector<std::string> names;
  SevenZipEntry entry;
  if (reader.Open() != SevenZipResult::Ok) return names;
  while (reader.NextEntry(&entry) == SevenZipResult::Ok)
    names.push_back(Platform::Utf16ToUtf8(entry.name));
  return names;
}

TEST(SevenZipBlockProbe, FindsTheFirstEntryOfTheSecondBlock) {
  TempDir dir("7zprobe");
  std::string bytes = MakeArchive(dir);
  ASSERT_GE(TestSupport::SolidBlocks(dir / "a.7z"), 3);
  std::vector<std::string> second = PathsInBlock(dir / "a.7z", 1);
  ASSERT_FALSE(second.empty());
  std::vector<std::string> names = Names(bytes);
  size_t found = SevenZip::FirstEntryPastFirstBlock(MakerOf(bytes));
  ASSERT_LT(found, names.size());
  EXPECT_EQ(names[found], second.front());
}

TEST(SevenZipBlockProbe, BlockListsGiveTheFirstEntryOfAnotherBlock) {
  struct Row {
    std::vector<int64_t> blocks;
    size_t past;
  };
  const Row rows[] = {
      {{}, 0},                // no entries
      {{-1, -1}, 2},          // no data at all
      {{0, 0, -1, 0}, 4},     // one block, an empty entry among its files
      {{-1, 0, 0, 1, 1}, 3},  // a folder first, then two blocks
      {{0, -1, 1, 2}, 2},     // an empty entry between the blocks
      {{3, 3, 4}, 2},         // blocks need not start at 0
  };
  for (const Row& row : rows)
    EXPECT_EQ(SevenZip::FirstEntryPastFirstBlock(row.blocks), row.past) << row.blocks.size();
}

TEST(SevenZipBlockProbe, OneBlockOrNoDataMeansNoSplit) {
  TempDir dir("7zprobe1");
  std::string solid = MakeArchive(dir, "-m0=LZMA -ms=on");
  ASSERT_EQ(TestSupport::SolidBlocks(dir / "a.7z"), 1);
  EXPECT_EQ(SevenZip::FirstEntryPastFirstBlock(MakerOf(solid)), Names(solid).size());

  TestSupport::WriteFile(dir / "empty/x.txt", "");
  std::filesystem::create_directories(dir / "empty/y");
  ASSERT_TRUE(TestSupport::Pack7z(dir / "empty", dir / "e.7z", "-ms=on"));
  std::string empty = TestSupport::ReadFile(dir / "e.7z");
  EXPECT_EQ(SevenZip::FirstEntryPastFirstBlock(MakerOf(empty)), 2u);

  std::string garbage(5000, 'x');
  EXPECT_EQ(SevenZip::FirstEntryPastFirstBlock(MakerOf(garbage)), 0u);
}

TEST(SevenZipSplitReader, ReadsLikeThePlainReader) {
  TempDir dir("7zsplit");
  std::string bytes = MakeArchive(dir);
  std::string expected = PlainWalk(bytes);
  bool split = false;
  EXPECT_EQ(SplitWalk(bytes, &split), expected);
  EXPECT_TRUE(split);
  // With room for one piece only, the second thread keeps waiting for the caller.
  EXPECT_EQ(SplitWalk(bytes, &split, 1), expected);
  EXPECT_TRUE(split);
  // The shipped payload.
  std::string payload = TestSupport::ReadFile(TestSupport::ShippedPayload());
  EXPECT_EQ(SplitWalk(payload, &split), PlainWalk(payload));
  EXPECT_TRUE(split);
}

TEST(SevenZipSplitReader, OneBlockIsReadOnTheCallingThread) {
  TempDir dir("7zsplit1");
  std::string bytes = MakeArchive(dir, "-m0=LZMA -ms=on");
  bool split = true;
  EXPECT_EQ(SplitWalk(bytes, &split), PlainWalk(bytes));
  EXPECT_FALSE(split);
  std::string garbage(5000, 'x');
  EXPECT_EQ(SplitWalk(garbage, &split), PlainWalk(garbage));
  EXPECT_FALSE(split);
}

TEST(SevenZipSplitReader, DamageFailsWhereThePlainReaderFails) {
  TempDir dir("7zsplitbad");
  std::string intact = MakeArchive(dir);
  for (int block = 0; block < 3; ++block) {
    long long start = TestSupport::kPackedDataStart;
    for (int before = 0; before < block; ++before)
      start += TestSupport::PackedBlockSize(dir / "a.7z", before);
    long long size = TestSupport::PackedBlockSize(dir / "a.7z", block);
    ASSERT_GT(size, 40) << block;
    std::string bytes = intact;
    bytes[static_cast<size_t>(start + size / 2)] ^= 0x5A;
    std::string expected = PlainWalk(bytes);
    EXPECT_NE(expected.find("error " + std::to_string(static_cast<int>(SevenZipError::Data))),
              std::string::npos)
        << block;
    bool split = false;
    EXPECT_EQ(SplitWalk(bytes, &split), expected) << block;
    EXPECT_EQ(SplitWalk(bytes, &split, 1), expected) << block;
  }
}

TEST(SevenZipSplitReader, CanBeLeftAnywhere) {
  TempDir dir("7zsplitleave");
  std::string bytes = MakeArchive(dir);
  for (int steps = 0; steps < 12; ++steps) {
    for (size_t limit : {size_t{1}, SevenZipSplitReader::kAheadLimit}) {
      ViewSource source(bytes);
      SevenZipSplitReader reader(source, MakerOf(bytes), limit);
      ASSERT_EQ(reader.Open(), SevenZipResult::Ok);
      SevenZipEntry entry;
      const void* data;
      size_t count;
      for (int i = 0; i < steps; ++i) {
        if (i % 2 == 0)
          reader.NextEntry(&entry);
        else
          reader.ReadData(&data, &count);
      }
    }  // the second thread is stopped here, wherever it was
  }
}

}  // namespace
