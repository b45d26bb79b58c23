#include <cstring>

#include "Platform/Shell/ShellLinkFormat.h"

namespace Platform {

namespace {

using namespace ShellLinkLayout;

class ByteSink {
 public:
  void U8(uint8_t v) { m_out.push_back(static_cast<char>(v)); }
  void U16(uint16_t v) { Little(v, 2); }
  void U32(uint32_t v) { Little(v, 4); }
  void U64(uint64_t v) { Little(v, 8); }
  void Append(const std::string& bytes) { m_out += bytes; }
  size_t Size() const { return m_out.size(); }
  std::string Take() { return std::move(m_out); }

 private:
  void Little(uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) U8(static_cast<uint8_t>(v >> (8 * i)));
  }
  std::string m_out;
};

// The system code page of a reader is unknown: characters outside ASCII become '?' there, and
// the UTF-16 copies beside every such string carry the real text.
std::string AnsiZ(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  out.push_back('\0');
  return out;
}

std::string Utf16Z(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  out.append(2, '\0');
  return out;
}

void WriteGuid(ByteSink* sink, const GUID& guid) {
  sink->U32(guid.Data1);
  sink->U16(guid.Data2);
  sink->U16(guid.Data3);
  for (uint8_t b : guid.Data4) sink->U8(b);
}

bool IsUncPath(const std::u16string& path) {
  return path.size() > 2 && path[0] == u'\\' && path[1] == u'\\';
}

// Splits "\\server\share\rest" into "\\server\share" and "rest" so that a reader joining
// them with one backslash gets the target back exactly.
void SplitUnc(const std::u16string& path, std::u16string* share, std::u16string* rest) {
  size_t server = path.find(u'\\', 2);
  size_t end = server == std::u16string::npos ? path.size() : path.find(u'\\', server + 1);
  // Otherwise (nothing after the share, or a share name that ends in a backslash) the whole
  // path is the share.
  if (end == std::u16string::npos || end + 1 >= path.size() || path[end - 1] == u'\\') {
    *share = path;
    rest->clear();
    return;
  }
  *share = path.substr(0, end);
  *rest = path.substr(end + 1);
}

std::string VolumeId(const ShellLinkData& link) {
  ByteSink sink;
  std::string label = AnsiZ(u"");
  sink.U32(static_cast<uint32_t>(kVolumeIdHeaderSize + label.size()));
  sink.U32(link.driveType);
  sink.U32(link.driveSerial);
  sink.U32(kVolumeIdHeaderSize);
  sink.Append(label);
  return sink.Take();
}

std::string NetworkLink(const std::u16string& share) {
  std::string ansi = AnsiZ(share), wide = Utf16Z(share);
  ByteSink sink;
  sink.U32(static_cast<uint32_t>(kNetworkLinkHeaderSizeUnicode + ansi.size() + wide.size()));
  sink.U32(0);  // no device name, no provider type
  sink.U32(kNetworkLinkHeaderSizeUnicode);
  sink.U32(0);
  sink.U32(0);
  sink.U32(static_cast<uint32_t>(kNetworkLinkHeaderSizeUnicode + ansi.size()));
  sink.U32(0);
  sink.Append(ansi);
  sink.Append(wide);
  return sink.Take();
}

std::string LinkInfo(const ShellLinkData& link) {
  // Parts in the order they follow the header: location block, base path (ANSI), suffix
  // (ANSI), base path (UTF-16), suffix (UTF-16). A UNC target has no base path.
  bool unc = IsUncPath(link.target);
  std::u16string base = link.target, suffix;
  std::string location;
  if (unc) {
    std::u16string share;
    SplitUnc(link.target, &share, &suffix);
    location = NetworkLink(share);
    base.clear();
  } else {
    location = VolumeId(link);
  }
  std::string baseAnsi = unc ? "" : AnsiZ(base), suffixAnsi = AnsiZ(suffix);
  std::string baseWide = unc ? "" : Utf16Z(base), suffixWide = Utf16Z(suffix);

  uint32_t at = kLinkInfoHeaderSizeUnicode;
  uint32_t locationAt = at;
  at += static_cast<uint32_t>(location.size());
  uint32_t baseAnsiAt = unc ? 0 : at;
  at += static_cast<uint32_t>(baseAnsi.size());
  uint32_t suffixAnsiAt = at;
  at += static_cast<uint32_t>(suffixAnsi.size());
  uint32_t baseWideAt = unc ? 0 : at;
  at += static_cast<uint32_t>(baseWide.size());
  uint32_t suffixWideAt = at;
  at += static_cast<uint32_t>(suffixWide.size());

  ByteSink sink;
  sink.U32(at);
  sink.U32(kLinkInfoHeaderSizeUnicode);
  sink.U32(unc ? kCommonNetworkRelativeLinkAndPathSuffix : kVolumeIdAndLocalBasePath);
  sink.U32(unc ? 0 : locationAt);
  sink.U32(baseAnsiAt);
  sink.U32(unc ? locationAt : 0);
  sink.U32(suffixAnsiAt);
  sink.U32(baseWideAt);
  sink.U32(suffixWideAt);
  for (const std::string* part : {&location, &baseAnsi, &suffixAnsi, &baseWide, &suffixWide})
    sink.Append(*part);
  return sink.Take();
}

void CountedString(ByteSink* sink, const std::u16string& text) {
  sink->U16(static_cast<uint16_t>(text.size()));
  std::string bytes = Utf16Z(text);
  bytes.resize(bytes.size() - 2);
  sink->Append(bytes);
}

}  // namespace

std::string WriteShellLink(const ShellLinkData& link) {
  uint32_t flags = kIsUnicode;
  if (!link.target.empty()) flags |= kHasLinkInfo;
  if (!link.description.empty()) flags |= kHasName;
  if (!link.relativePath.empty()) flags |= kHasRelativePath;
  if (!link.workingDirectory.empty()) flags |= kHasWorkingDir;
  if (!link.arguments.empty()) flags |= kHasArguments;
  if (!link.iconLocation.empty()) flags |= kHasIconLocation;

  ByteSink sink;
  sink.U32(kHeaderSize);
  WriteGuid(&sink, CLSID_ShellLink);
  sink.U32(flags);
  sink.U32(link.fileAttributes);
  sink.U64(static_cast<uint64_t>(link.creationTime));
  sink.U64(static_cast<uint64_t>(link.accessTime));
  sink.U64(static_cast<uint64_t>(link.writeTime));
  sink.U32(link.fileSize);
  sink.U32(static_cast<uint32_t>(link.iconIndex));
  sink.U32(static_cast<uint32_t>(link.showCommand));
  sink.U16(link.hotkey);
  sink.U16(0);
  sink.U32(0);
  sink.U32(0);

  if (flags & kHasLinkInfo) sink.Append(LinkInfo(link));
  if (flags & kHasName) CountedString(&sink, link.description);
  if (flags & kHasRelativePath) CountedString(&sink, link.relativePath);
  if (flags & kHasWorkingDir) CountedString(&sink, link.workingDirectory);
  if (flags & kHasArguments) CountedString(&sink, link.arguments);
  if (flags & kHasIconLocation) CountedString(&sink, link.iconLocation);
  sink.U32(0);  // the terminal extra-data block
  return sink.Take();
}

}  // namespace Platform
