#include "SevenZip/SevenZipHeader.h"

#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace SevenZip {

namespace {

constexpr uint64_t kStartHeaderSize = 32;
// A packed header database above this size is left to the decoder rather than unpacked here.
constexpr uint64_t kLargestHeader = uint64_t{256} << 20;

enum Property : uint64_t {
  kEnd = 0x00,
  kHeader = 0x01,
  kArchiveProperties = 0x02,
  kAdditionalStreamsInfo = 0x03,
  kMainStreamsInfo = 0x04,
  kFilesInfo = 0x05,
  kPackInfo = 0x06,
  kUnpackInfo = 0x07,
  kSubStreamsInfo = 0x08,
  kSize = 0x09,
  kCrc = 0x0A,
  kFolder = 0x0B,
  kCodersUnpackSize = 0x0C,
  kNumUnpackStream = 0x0D,
  kEmptyStream = 0x0E,
  kName = 0x11,
  kEncodedHeader = 0x17,
};

constexpr uint64_t kCopy = 0x00, kLzma = 0x030101, kLzma2 = 0x21;

// The coders every build of the decoder has.
bool AlwaysDecodable(uint64_t coder) {
  switch (coder) {
    case kCopy:
    case kLzma:
    case kLzma2:
    case 0x040108:    // Deflate
    case 0x040202:    // BZip2
    case 0x030401:    // PPMd
    case 0x03:        // Delta
    case 0x03030103:  // x86 BCJ
    case 0x0303011B:  // x86 BCJ2
    case 0x03030205:  // PowerPC
    case 0x03030401:  // IA-64
    case 0x03030501:  // ARM
    case 0x03030701:  // ARM Thumb
    case 0x03030805:  // SPARC
      return true;
    default: return false;
  }
}

struct Malformed {};
struct NotUnderstood {};
struct Unreadable {};

struct Coder {
  uint64_t id = 0;
  std::string properties;
  uint64_t outStreams = 1;
};

struct Block {
  std::vector<Coder> coders;
  std::vector<uint64_t> unpackSizes;  // one per output stream of its coders
  uint64_t outStreams = 0;
  uint64_t boundOutputs = 0;
  std::vector<uint64_t> boundOut;  // output streams fed into another coder
  bool crcDefined = false;
  uint32_t crc = 0;
  uint64_t substreams = 1;
  std::vector<uint64_t> streamSizes;  // the size of each stream it holds, when stored

  // The size of the stream that leaves the block: the one output no coder takes in.
  uint64_t UnpackSize() const {
    for (uint64_t i = 0; i < unpackSizes.size(); ++i) {
      bool bound = false;
      for (uint64_t b : boundOut) bound = bound || b == i;
      if (!bound) return unpackSizes[i];
    }
    throw Malformed();
  }
};

struct Streams {
  uint64_t packPosition = 0;
  std::vector<uint64_t> packSizes;
  std::vector<Block> blocks;
};

// Reads the header database's encoding: numbers, bytes, bit vectors; any read past the end is
// malformed.
class Cursor {
 public:
  Cursor(const unsigned char* data, size_t size) : m_data(data), m_left(size) {}

  unsigned char Byte() {
    if (m_left == 0) throw Malformed();
    --m_left;
    return *m_data++;
  }
  const unsigned char* Bytes(uint64_t count) {
    if (count > m_left) throw Malformed();
    const unsigned char* start = m_data;
    m_data += count;
    m_left -= static_cast<size_t>(count);
    return start;
  }
  uint64_t Number() {
    unsigned char first = Byte();
    uint64_t value = 0;
    unsigned char mask = 0x80;
    for (int i = 0; i < 8; ++i) {
      if ((first & mask) == 0) return value | (uint64_t{first & (mask - 1u)} << (8 * i));
      value |= uint64_t{Byte()} << (8 * i);
      mask >>= 1;
    }
    return value;
  }
  // A count that must be backed by at least one byte each in what is left.
  uint64_t Count() {
    uint64_t n = Number();
    if (n > m_left) throw Malformed();
    return n;
  }
  uint32_t Crc32() {
    const unsigned char* p = Bytes(4);
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
  }
  std::vector<bool> Bits(uint64_t count) {
    std::vector<bool> bits(count);
    unsigned char byte = 0;
    for (uint64_t i = 0; i < count; ++i) {
      if (i % 8 == 0) byte = Byte();
      bits[i] = (byte & (0x80 >> (i % 8))) != 0;
    }
    return bits;
  }
  std::vector<bool> DefinedBits(uint64_t count) {
    if (Byte() != 0) return std::vector<bool>(count, true);
    return Bits(count);
  }
  void Skip() { Bytes(Number()); }
  size_t Left() const { return m_left; }

 private:
  const unsigned char* m_data;
  size_t m_left;
};

uint64_t Add(uint64_t a, uint64_t b) {
  uint64_t sum;
  if (__builtin_add_overflow(a, b, &sum)) throw Malformed();
  return sum;
}

void ReadDigests(Cursor& in, uint64_t count, std::vector<bool>* defined,
                 std::vector<uint32_t>* crcs) {
  // Every digest takes a bit at least: a count the bytes left cannot hold is a lie, and must
  // not size the tables below.
  if (count / 8 > in.Left()) throw Malformed();
  *defined = in.DefinedBits(count);
  if (in.Left() / 4 < static_cast<uint64_t>(std::count(defined->begin(), defined->end(), true)))
    throw Malformed();
  crcs->assign(count, 0);
  for (uint64_t i = 0; i < count; ++i)
    if ((*defined)[i]) (*crcs)[i] = in.Crc32();
}

void ReadPackInfo(Cursor& in, Streams* s) {
  s->packPosition = in.Number();
  uint64_t count = in.Count();
  s->packSizes.assign(count, 0);
  for (uint64_t id = in.Number(); id != kEnd; id = in.Number()) {
    if (id == kSize) {
      for (uint64_t& size : s->packSizes) size = in.Number();
    } else if (id == kCrc) {
      std::vector<bool> defined;
      std::vector<uint32_t> crcs;
      ReadDigests(in, count, &defined, &crcs);
    } else {
      in.Skip();
    }
  }
}

Block ReadBlock(Cursor& in) {
  Block block;
  uint64_t coders = in.Count();
  if (coders == 0 || coders > 64) throw Malformed();
  uint64_t inStreams = 0;
  for (uint64_t i = 0; i < coders; ++i) {
    unsigned char flags = in.Byte();
    if (flags & 0xC0) throw NotUnderstood();  // alternative methods, never written
    Coder coder;
    const unsigned char* id = in.Bytes(flags & 0x0F);
    for (int k = 0; k < (flags & 0x0F); ++k) coder.id = coder.id << 8 | id[k];
    uint64_t in_ = 1;
    if (flags & 0x10) {
      in_ = in.Number();
      coder.outStreams = in.Number();
      if (in_ > 64 || coder.outStreams > 64) throw Malformed();
    }
    if (flags & 0x20) {
      uint64_t size = in.Number();
      const unsigned char* p = in.Bytes(size);
      coder.properties.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(size));
    }
    inStreams += in_;
    block.outStreams += coder.outStreams;
    block.coders.push_back(std::move(coder));
  }
  if (block.outStreams == 0) throw Malformed();
  uint64_t bindPairs = block.outStreams - 1;
  if (bindPairs > inStreams) throw Malformed();
  for (uint64_t i = 0; i < bindPairs; ++i) {
    uint64_t inIndex = in.Number();
    uint64_t outIndex = in.Number();
    if (inIndex >= inStreams || outIndex >= block.outStreams) throw Malformed();
    block.boundOut.push_back(outIndex);
  }
  uint64_t packed = inStreams - bindPairs;
  if (packed > 1)
    for (uint64_t i = 0; i < packed; ++i)
      if (in.Number() >= inStreams) throw Malformed();
  return block;
}

void ReadUnpackInfo(Cursor& in, Streams* s) {
  if (in.Number() != kFolder) throw Malformed();
  uint64_t count = in.Count();
  if (in.Byte() != 0) throw NotUnderstood();  // blocks described in another stream
  for (uint64_t i = 0; i < count; ++i) s->blocks.push_back(ReadBlock(in));
  if (in.Number() != kCodersUnpackSize) throw Malformed();
  for (Block& block : s->blocks) {
    block.unpackSizes.resize(block.outStreams);
    for (uint64_t& size : block.unpackSizes) size = in.Number();
  }
  for (uint64_t id = in.Number(); id != kEnd; id = in.Number()) {
    if (id == kCrc) {
      std::vector<bool> defined;
      std::vector<uint32_t> crcs;
      ReadDigests(in, count, &defined, &crcs);
      for (uint64_t i = 0; i < count; ++i) {
        s->blocks[i].crcDefined = defined[i];
        s->blocks[i].crc = crcs[i];
      }
    } else {
      in.Skip();
    }
  }
}

void ReadSubStreamsInfo(Cursor& in, Streams* s) {
  uint64_t id = in.Number();
  for (; id != kEnd && id != kSize && id != kCrc; id = in.Number()) {
    if (id != kNumUnpackStream) {
      in.Skip();
      continue;
    }
    for (Block& block : s->blocks) {
      block.substreams = in.Number();
      if (block.substreams > (uint64_t{1} << 32)) throw Malformed();
    }
  }
  if (id == kSize) {
    for (Block& block : s->blocks) {
      uint64_t sum = 0;
      for (uint64_t i = 1; i < block.substreams; ++i) {
        block.streamSizes.push_back(in.Number());
        sum = Add(sum, block.streamSizes.back());
      }
      if (block.substreams > 0 && sum > block.UnpackSize()) throw Malformed();
      if (block.substreams > 0) block.streamSizes.push_back(block.UnpackSize() - sum);
    }
    id = in.Number();
  }
  for (; id != kEnd; id = in.Number()) {
    if (id != kCrc) {
      in.Skip();
      continue;
    }
    uint64_t digests = 0;
    for (const Block& block : s->blocks)
      if (!(block.substreams == 1 && block.crcDefined)) digests = Add(digests, block.substreams);
    std::vector<bool> defined;
    std::vector<uint32_t> crcs;
    ReadDigests(in, digests, &defined, &crcs);
  }
}

Streams ReadStreamsInfo(Cursor& in) {
  Streams s;
  uint64_t id = in.Number();
  if (id == kPackInfo) {
    ReadPackInfo(in, &s);
    id = in.Number();
  }
  if (id == kUnpackInfo) {
    ReadUnpackInfo(in, &s);
    id = in.Number();
  }
  if (id == kSubStreamsInfo) {
    ReadSubStreamsInfo(in, &s);
    id = in.Number();
  }
  if (id != kEnd) throw Malformed();
  return s;
}

// The packed streams must lie between the start header and the end of the archive.
void CheckPackedWithin(const Streams& s, uint64_t archiveSize) {
  uint64_t end = Add(kStartHeaderSize, s.packPosition);
  for (uint64_t size : s.packSizes) end = Add(end, size);
  if (end > archiveSize) throw Malformed();
}

// Splits the name table: exactly one terminated name per entry, nothing left over.
std::vector<WideName> ReadNames(Cursor& in, uint64_t size, uint64_t files) {
  if (size == 0) throw Malformed();
  if (in.Byte() != 0) throw NotUnderstood();  // names kept in another stream
  const unsigned char* p = in.Bytes(size - 1);
  uint64_t bytes = size - 1;
  if (bytes % 2 != 0) throw Malformed();
  std::vector<WideName> names;
  WideName name;
  for (uint64_t i = 0; i < bytes; i += 2) {
    WCHAR c = static_cast<WCHAR>(p[i] | p[i + 1] << 8);
    if (c != 0) {
      name.push_back(c);
      continue;
    }
    names.push_back(std::move(name));
    name.clear();
  }
  if (!name.empty() || names.size() != files) throw Malformed();
  return names;
}

void ReadFilesInfo(Cursor& in, const Streams& main, SevenZipLayout* layout) {
  uint64_t files = in.Count();
  std::vector<bool> empty(files, false);
  for (uint64_t id = in.Number(); id != kEnd; id = in.Number()) {
    uint64_t size = in.Number();
    if (size > in.Left()) throw Malformed();
    if (id == kName) {
      layout->names = ReadNames(in, size, files);
    } else if (id == kEmptyStream) {
      Cursor bits(in.Bytes(size), static_cast<size_t>(size));
      empty = bits.Bits(files);
    } else {
      in.Bytes(size);
    }
  }
  size_t block = 0;
  uint64_t used = 0;  // entries given to the current block so far
  bool sized = true;
  for (uint64_t i = 0; i < files; ++i) {
    if (empty[i]) {
      layout->blockOf.push_back(-1);
      layout->sizes.push_back(0);
      continue;
    }
    while (block < main.blocks.size() && used == main.blocks[block].substreams) {
      ++block;
      used = 0;
    }
    if (block == main.blocks.size()) throw Malformed();  // more entries with data than streams
    layout->blockOf.push_back(static_cast<int64_t>(block));
    const Block& holder = main.blocks[block];
    if (used < holder.streamSizes.size())
      layout->sizes.push_back(holder.streamSizes[used]);
    else if (holder.substreams == 1)
      layout->sizes.push_back(holder.UnpackSize());
    else
      sized = false;
    ++used;
  }
  if (!sized) layout->sizes.clear();
  while (block < main.blocks.size() && used == main.blocks[block].substreams) {
    ++block;
    used = 0;
  }
  if (block != main.blocks.size()) throw Malformed();  // streams no entry takes
}

void ReadHeader(Cursor& in, uint64_t archiveSize, SevenZipLayout* layout) {
  uint64_t id = in.Number();
  if (id == kArchiveProperties) {
    while (in.Number() != kEnd) in.Skip();
    id = in.Number();
  }
  if (id == kAdditionalStreamsInfo) {
    ReadStreamsInfo(in);
    id = in.Number();
  }
  Streams main;
  if (id == kMainStreamsInfo) {
    main = ReadStreamsInfo(in);
    CheckPackedWithin(main, archiveSize);
    id = in.Number();
  }
  for (const Block& block : main.blocks) {
    bool decodable = true;
    for (const Coder& coder : block.coders) decodable = decodable && AlwaysDecodable(coder.id);
    layout->blockDecodable.push_back(decodable);
  }
  if (id == kFilesInfo) {
    ReadFilesInfo(in, main, layout);
    id = in.Number();
  } else if (!main.blocks.empty()) {
    throw Malformed();
  }
  if (id != kEnd) throw Malformed();
}

// Reads bytes that lie within the source; a source that cannot give them is unreadable.
void ReadAt(SevenZipSource& source, uint64_t position, uint64_t count, std::string* out) {
  out->clear();
  if (count == 0) return;
  if (!source.Seek(position)) throw Unreadable();
  while (out->size() < count) {
    const void* data;
    size_t n;
    if (!source.Read(&data, &n) || n == 0) throw Unreadable();
    size_t take = static_cast<size_t>(std::min<uint64_t>(n, count - out->size()));
    out->append(static_cast<const char*>(data), take);
  }
}

uint32_t Crc(const std::string& bytes) {
  uLong crc = crc32(0, nullptr, 0);
  const Bytef* p = reinterpret_cast<const Bytef*>(bytes.data());
  for (size_t done = 0; done < bytes.size();) {
    uInt piece = static_cast<uInt>(std::min<size_t>(bytes.size() - done, 1u << 30));
    crc = crc32(crc, p + done, piece);
    done += piece;
  }
  return static_cast<uint32_t>(crc);
}

uint64_t Le64(const unsigned char* p) {
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

// Unpacks a header database packed with one LZMA or LZMA2 coder.
std::string Unpack(const Coder& coder, const std::string& packed, uint64_t size) {
  if (size > kLargestHeader) throw NotUnderstood();
  lzma_filter filters[2] = {{coder.id == kLzma ? LZMA_FILTER_LZMA1 : LZMA_FILTER_LZMA2, nullptr},
                            {LZMA_VLI_UNKNOWN, nullptr}};
  if (lzma_properties_decode(&filters[0], nullptr,
                             reinterpret_cast<const uint8_t*>(coder.properties.data()),
                             coder.properties.size()) != LZMA_OK)
    throw Malformed();
  // No match reaches further back than the output: a dictionary larger than it is never used,
  // and the size the properties claim (up to 4 GiB) must not be allocated on their word.
  auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
  options->dict_size = static_cast<uint32_t>(std::clamp<uint64_t>(
      size, LZMA_DICT_SIZE_MIN, std::max<uint64_t>(options->dict_size, LZMA_DICT_SIZE_MIN)));
  lzma_stream stream = LZMA_STREAM_INIT;
  lzma_ret ret = lzma_raw_decoder(&stream, filters);
  free(filters[0].options);
  if (ret != LZMA_OK) throw NotUnderstood();
  std::string out(static_cast<size_t>(size), '\0');
  stream.next_in = reinterpret_cast<const uint8_t*>(packed.data());
  stream.avail_in = packed.size();
  stream.next_out = reinterpret_cast<uint8_t*>(out.data());
  stream.avail_out = out.size();
  do {
    ret = lzma_code(&stream, LZMA_FINISH);
  } while (ret == LZMA_OK && stream.avail_out > 0 && stream.avail_in > 0);
  bool whole = stream.avail_out == 0 && (ret == LZMA_OK || ret == LZMA_STREAM_END);
  lzma_end(&stream);
  if (!whole) throw Malformed();
  return out;
}

// The header database that an encoded header stands for.
std::string DecodeHeader(Cursor& in, SevenZipSource& source, uint64_t archiveSize) {
  Streams s = ReadStreamsInfo(in);
  CheckPackedWithin(s, archiveSize);
  if (s.blocks.size() != 1 || s.packSizes.size() != 1) throw NotUnderstood();
  const Block& block = s.blocks[0];
  if (block.coders.size() != 1 || block.outStreams != 1) throw NotUnderstood();
  const Coder& coder = block.coders[0];
  std::string packed;
  ReadAt(source, kStartHeaderSize + s.packPosition, s.packSizes[0], &packed);
  std::string header;
  if (coder.id == kCopy) {
    header = packed;
    if (header.size() != block.UnpackSize()) throw Malformed();
  } else if (coder.id == kLzma || coder.id == kLzma2) {
    header = Unpack(coder, packed, block.UnpackSize());
  } else {
    throw NotUnderstood();
  }
  if (block.crcDefined && Crc(header) != block.crc) throw Malformed();
  return header;
}

SevenZipHeaderCheck Check(SevenZipSource& source, SevenZipLayout* layout) {
  const uint64_t size = source.Size();
  std::string start;
  if (size < kStartHeaderSize) throw Malformed();
  ReadAt(source, 0, kStartHeaderSize, &start);
  const unsigned char* p = reinterpret_cast<const unsigned char*>(start.data());
  static const unsigned char kSignature[6] = {0x37, 0x7A, 0xBC, 0xAF, 0x27, 0x1C};
  if (std::memcmp(p, kSignature, 6) != 0) throw Malformed();
  uint32_t startCrc = static_cast<uint32_t>(p[8] | p[9] << 8 | p[10] << 16) | uint32_t{p[11]} << 24;
  if (Crc(start.substr(12)) != startCrc) throw Malformed();
  uint64_t offset = Le64(p + 12);
  uint64_t length = Le64(p + 20);
  uint32_t nextCrc = static_cast<uint32_t>(p[28] | p[29] << 8 | p[30] << 16) | uint32_t{p[31]}
                                                                                   << 24;
  if (length == 0) {
    // An archive without entries: nothing else may be claimed.
    if (offset != 0 || nextCrc != 0) throw Malformed();
    return SevenZipHeaderCheck::Sound;
  }
  if (offset > size || length > size || Add(Add(kStartHeaderSize, offset), length) > size)
    throw Malformed();
  std::string next;
  ReadAt(source, kStartHeaderSize + offset, length, &next);
  if (Crc(next) != nextCrc) throw Malformed();
  Cursor in(reinterpret_cast<const unsigned char*>(next.data()), next.size());
  uint64_t id = in.Number();
  if (id == kEncodedHeader) {
    next = DecodeHeader(in, source, size);
    in = Cursor(reinterpret_cast<const unsigned char*>(next.data()), next.size());
    id = in.Number();
  }
  if (id != kHeader) throw Malformed();
  ReadHeader(in, size, layout);
  return SevenZipHeaderCheck::Sound;
}

}  // namespace

SevenZipHeaderCheck CheckSevenZipHeader(SevenZipSource& source, SevenZipLayout* layout) {
  *layout = SevenZipLayout();
  try {
    return Check(source, layout);
  } catch (const Malformed&) {
    *layout = SevenZipLayout();
    return SevenZipHeaderCheck::Malformed;
  } catch (const NotUnderstood&) {
    *layout = SevenZipLayout();
    return SevenZipHeaderCheck::NotUnderstood;
  } catch (const Unreadable&) {
    *layout = SevenZipLayout();
    return SevenZipHeaderCheck::Unreadable;
  }
}

bool HasLoneSurrogate(const WideName& name) {
  for (size_t i = 0; i < name.size(); ++i) {
    WCHAR c = name[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 &&
        name[i + 1] <= 0xDFFF) {
      ++i;
      continue;
    }
    if (c >= 0xD800 && c <= 0xDFFF) return true;
  }
  return false;
}

}  // namespace SevenZip
