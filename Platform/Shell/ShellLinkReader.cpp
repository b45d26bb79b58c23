#include <cstring>

#include "Platform/Shell/ShellLinkFormat.h"
#include "Platform/Text/Utf.h"

namespace Platform {

namespace {

using namespace ShellLinkLayout;

// Bounded little-endian reads over one range of bytes; every read reports whether it fitted.
class ByteSource {
 public:
  ByteSource(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  size_t Position() const { return m_pos; }
  size_t Left() const { return m_size - m_pos; }
  bool Skip(size_t n) {
    if (n > Left()) return false;
    m_pos += n;
    return true;
  }
  bool U8(uint8_t* v) { return Little(v, 1); }
  bool U16(uint16_t* v) { return Little(v, 2); }
  bool U32(uint32_t* v) { return Little(v, 4); }
  bool U64(uint64_t* v) { return Little(v, 8); }
  bool Sub(size_t n, ByteSource* part) {
    if (n > Left()) return false;
    *part = ByteSource(m_data + m_pos, n);
    m_pos += n;
    return true;
  }
  bool Utf16(size_t chars, std::u16string* text) {
    if (chars > Left() / 2) return false;
    text->resize(chars);
    for (size_t i = 0; i < chars; ++i)
      (*text)[i] = static_cast<char16_t>(m_data[m_pos + 2 * i] | (m_data[m_pos + 2 * i + 1] << 8));
    m_pos += 2 * chars;
    return true;
  }
  bool Ansi(size_t chars, std::u16string* text) {
    if (chars > Left()) return false;
    *text = Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(m_data + m_pos), chars));
    m_pos += chars;
    return true;
  }
  // Zero-terminated strings at an offset of this range.
  bool AnsiZAt(size_t offset, std::u16string* text) const {
    if (offset >= m_size) return false;
    const void* end = std::memchr(m_data + offset, 0, m_size - offset);
    if (!end) return false;
    size_t n = static_cast<size_t>(static_cast<const uint8_t*>(end) - (m_data + offset));
    *text = Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(m_data + offset), n));
    return true;
  }
  bool Utf16ZAt(size_t offset, std::u16string* text) const {
    text->clear();
    for (size_t at = offset; at + 1 < m_size; at += 2) {
      auto c = static_cast<char16_t>(m_data[at] | (m_data[at + 1] << 8));
      if (c == 0) return true;
      text->push_back(c);
    }
    return false;
  }
  bool U32At(size_t offset, uint32_t* v) const {
    ByteSource at(m_data, m_size);
    return at.Skip(offset) && at.U32(v);
  }

 private:
  template <typename T>
  bool Little(T* v, int bytes) {
    if (Left() < static_cast<size_t>(bytes)) return false;
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | m_data[m_pos + i];
    *v = static_cast<T>(value);
    m_pos += static_cast<size_t>(bytes);
    return true;
  }

  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
};

bool ReadHeader(ByteSource* in, uint32_t* flags, ShellLinkData* link) {
  uint32_t size, data1, attributes, fileSize, icon, show, reserved;
  uint16_t data2, data3, hotkey, reserved16;
  uint64_t ctime, atime, wtime;
  if (!in->U32(&size) || size != kHeaderSize || !in->U32(&data1) || !in->U16(&data2) ||
      !in->U16(&data3))
    return false;
  GUID clsid{data1, data2, data3, {}};
  for (uint8_t& b : clsid.Data4)
    if (!in->U8(&b)) return false;
  if (!IsEqualGUID(clsid, CLSID_ShellLink)) return false;
  if (!in->U32(flags) || !in->U32(&attributes) || !in->U64(&ctime) || !in->U64(&atime) ||
      !in->U64(&wtime) || !in->U32(&fileSize) || !in->U32(&icon) || !in->U32(&show) ||
      !in->U16(&hotkey) || !in->U16(&reserved16) || !in->U32(&reserved) || !in->U32(&reserved))
    return false;
  link->fileAttributes = attributes;
  link->creationTime = static_cast<int64_t>(ctime);
  link->accessTime = static_cast<int64_t>(atime);
  link->writeTime = static_cast<int64_t>(wtime);
  link->fileSize = fileSize;
  link->iconIndex = static_cast<int32_t>(icon);
  link->showCommand = static_cast<int32_t>(show);
  link->hotkey = hotkey;
  return true;
}

// A string of the LinkInfo: the UTF-16 one when its offset is there, else the ANSI one.
bool InfoString(const ByteSource& info, uint32_t ansiOffset, uint32_t wideOffset,
                std::u16string* text) {
  if (wideOffset) return info.Utf16ZAt(wideOffset, text);
  if (ansiOffset) return info.AnsiZAt(ansiOffset, text);
  text->clear();
  return true;
}

bool ReadNetworkLink(const ByteSource& info, uint32_t offset, std::u16string* share) {
  uint32_t size, flags, netName, device, provider, netNameWide = 0;
  if (!info.U32At(offset, &size) || size < kNetworkLinkHeaderSize ||
      !info.U32At(offset + 4, &flags) || !info.U32At(offset + 8, &netName) ||
      !info.U32At(offset + 12, &device) || !info.U32At(offset + 16, &provider))
    return false;
  if (netName > kNetworkLinkHeaderSize && !info.U32At(offset + 20, &netNameWide)) return false;
  ByteSource block(nullptr, 0);
  ByteSource all = info;
  if (!all.Skip(offset) || !all.Sub(size, &block)) return false;
  return InfoString(block, netName, netNameWide, share);
}

bool ReadLinkInfo(ByteSource* in, ShellLinkData* link) {
  uint32_t size;
  ByteSource peek = *in;
  if (!peek.U32(&size) || size < kLinkInfoHeaderSize) return false;
  ByteSource info(nullptr, 0);
  if (!in->Sub(size, &info)) return false;
  uint32_t header, flags, volume, base, network, suffix, baseWide = 0, suffixWide = 0;
  if (!info.U32At(4, &header) || header < kLinkInfoHeaderSize || header > size ||
      !info.U32At(8, &flags) || !info.U32At(12, &volume) || !info.U32At(16, &base) ||
      !info.U32At(20, &network) || !info.U32At(24, &suffix))
    return false;
  if (header >= kLinkInfoHeaderSizeUnicode &&
      (!info.U32At(28, &baseWide) || !info.U32At(32, &suffixWide)))
    return false;
  std::u16string root, rest;
  if (!InfoString(info, suffix, suffixWide, &rest)) return false;
  if (flags & kVolumeIdAndLocalBasePath) {
    uint32_t driveType, serial;
    if (!info.U32At(volume + 4, &driveType) || !info.U32At(volume + 8, &serial)) return false;
    link->driveType = driveType;
    link->driveSerial = serial;
    if (!InfoString(info, base, baseWide, &root)) return false;
  } else if (flags & kCommonNetworkRelativeLinkAndPathSuffix) {
    if (!ReadNetworkLink(info, network, &root)) return false;
  }
  // The suffix continues the path after one backslash, unless the root already ends in one.
  if (!root.empty() && !rest.empty() && root.back() != u'\\') root += u'\\';
  link->target = root + rest;
  return true;
}

bool ReadCountedString(ByteSource* in, bool unicode, std::u16string* text) {
  uint16_t chars;
  if (!in->U16(&chars)) return false;
  return unicode ? in->Utf16(chars, text) : in->Ansi(chars, text);
}

bool ReadExtraData(ByteSource* in, ShellLinkData* link) {
  for (;;) {
    uint32_t size, signature;
    if (!in->U32(&size)) return false;
    if (size < 4) return true;  // the terminal block
    ByteSource block(nullptr, 0);
    if (size < 8 || !in->Sub(size - 4, &block) || !block.U32(&signature)) return false;
    if (signature == kEnvironmentBlockSignature && size == kEnvironmentBlockSize &&
        link->target.empty()) {
      block.Skip(260);  // the ANSI copy
      std::u16string wide;
      block.Utf16(260, &wide);
      link->target = wide.substr(0, wide.find(u'\0'));
    }
  }
}

}  // namespace

bool ReadShellLink(const void* bytes, size_t size, ShellLinkData* link) {
  ByteSource in(static_cast<const uint8_t*>(bytes), size);
  ShellLinkData result;
  uint32_t flags;
  if (!ReadHeader(&in, &flags, &result)) return false;
  if (flags & kHasLinkTargetIdList) {
    uint16_t listSize;
    if (!in.U16(&listSize) || !in.Skip(listSize)) return false;
  }
  if ((flags & kHasLinkInfo) && !ReadLinkInfo(&in, &result)) return false;
  bool unicode = flags & kIsUnicode;
  struct Field {
    uint32_t flag;
    std::u16string* text;
  } fields[] = {{kHasName, &result.description},
                {kHasRelativePath, &result.relativePath},
                {kHasWorkingDir, &result.workingDirectory},
                {kHasArguments, &result.arguments},
                {kHasIconLocation, &result.iconLocation}};
  for (const Field& field : fields) {
    if ((flags & field.flag) && !ReadCountedString(&in, unicode, field.text)) return false;
  }
  if (!ReadExtraData(&in, &result)) return false;  // ends with the terminal block
  *link = std::move(result);
  return true;
}

}  // namespace Platform
