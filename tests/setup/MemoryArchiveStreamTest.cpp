#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/MemoryArchiveStream.h"

namespace {

std::string ReadRest(MemoryArchiveStream& stream, std::vector<size_t>* pieces = nullptr) {
  std::string out;
  const void* data;
  size_t count;
  while (stream.Read(&data, &count)) {
    EXPECT_GT(count, 0u);
    out.append(static_cast<const char*>(data), count);
    if (pieces) pieces->push_back(count);
  }
  EXPECT_EQ(count, 0u);
  return out;
}

std::vector<BYTE> Bytes(size_t n) {
  std::vector<BYTE> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<BYTE>(i * 7 + 3);
  return bytes;
}

TEST(MemoryArchiveStream, HandsOutAtMost4096BytesAtATime) {
  std::vector<BYTE> bytes = Bytes(10000);
  MemoryArchiveStream stream(bytes.data(), bytes.size());
  std::vector<size_t> pieces;
  std::string all = ReadRest(stream, &pieces);
  EXPECT_EQ(pieces, (std::vector<size_t>{4096, 4096, 1808}));
  EXPECT_EQ(all.substr(2), std::string(bytes.begin() + 2, bytes.end()));
  EXPECT_EQ(stream.Position(), 10000u);
}

TEST(MemoryArchiveStream, FirstTwoBytesAlwaysReadAsTheSignatureStart) {
  std::vector<BYTE> bytes = {'M', 'Z', 0xBC, 0xAF, 0x27, 0x1C, 0x00};
  MemoryArchiveStream stream(bytes.data(), bytes.size());
  EXPECT_EQ(ReadRest(stream), std::string("7z\xBC\xAF\x27\x1C\x00", 7));
  EXPECT_EQ(bytes[0], 'M');  // the view itself is never written

  ASSERT_TRUE(stream.Seek(1));
  EXPECT_EQ(ReadRest(stream), std::string("z\xBC\xAF\x27\x1C\x00", 6));
  ASSERT_TRUE(stream.Seek(2));
  EXPECT_EQ(ReadRest(stream), std::string("\xBC\xAF\x27\x1C\x00", 5));
}

TEST(MemoryArchiveStream, SeekWithinTheViewOnly) {
  std::vector<BYTE> bytes = Bytes(5000);
  MemoryArchiveStream stream(bytes.data(), bytes.size());
  ASSERT_TRUE(stream.Seek(4990));
  EXPECT_EQ(ReadRest(stream), std::string(bytes.begin() + 4990, bytes.end()));
  EXPECT_EQ(stream.Position(), 5000u);
  EXPECT_FALSE(stream.Seek(5000));  // the size itself is not a position
  EXPECT_FALSE(stream.Seek(5001));
  EXPECT_EQ(stream.Position(), 5000u);
  EXPECT_TRUE(stream.Seek(4999));
}

TEST(MemoryArchiveStream, EmptyViewHasNothingToRead) {
  MemoryArchiveStream stream(nullptr, 0);
  EXPECT_EQ(ReadRest(stream), "");
  EXPECT_EQ(stream.Size(), 0u);
}

}  // namespace
