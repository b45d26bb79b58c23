#pragma once
// The shell-link (.lnk) file format: what a link holds and the constants of its binary layout
// (a 76-byte header, an optional item list, LinkInfo with the target's location, counted
// UTF-16 strings, extra data blocks ended by a zero block).

#include <cstdint>
#include <string>

#include "Platform/Win32.h"

namespace Platform {

struct ShellLinkData {
  std::u16string target;  // absolute Windows path: "X:\..." or "\\server\share\..."
  std::u16string description;
  std::u16string relativePath;  // the target relative to the link's folder, as stored
  std::u16string workingDirectory;
  std::u16string arguments;
  std::u16string iconLocation;
  int32_t iconIndex = 0;
  int32_t showCommand = SW_SHOWNORMAL;
  WORD hotkey = 0;
  // Facts about the target when the link was saved.
  DWORD fileAttributes = 0;
  int64_t creationTime = 0;  // FILETIME ticks
  int64_t accessTime = 0;
  int64_t writeTime = 0;
  uint32_t fileSize = 0;
  UINT driveType = DRIVE_FIXED;
  uint32_t driveSerial = 0;
};

namespace ShellLinkLayout {

constexpr uint32_t kHeaderSize = 0x4C;

// LinkFlags.
constexpr uint32_t kHasLinkTargetIdList = 0x00000001;
constexpr uint32_t kHasLinkInfo = 0x00000002;
constexpr uint32_t kHasName = 0x00000004;
constexpr uint32_t kHasRelativePath = 0x00000008;
constexpr uint32_t kHasWorkingDir = 0x00000010;
constexpr uint32_t kHasArguments = 0x00000020;
constexpr uint32_t kHasIconLocation = 0x00000040;
constexpr uint32_t kIsUnicode = 0x00000080;
constexpr uint32_t kHasExpString = 0x00000200;

// LinkInfoFlags.
constexpr uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr uint32_t kCommonNetworkRelativeLinkAndPathSuffix = 0x2;

// LinkInfo headers: without and with the offsets of the UTF-16 strings.
constexpr uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr uint32_t kLinkInfoHeaderSizeUnicode = 0x24;
constexpr uint32_t kVolumeIdHeaderSize = 0x10;
constexpr uint32_t kNetworkLinkHeaderSize = 0x14;
constexpr uint32_t kNetworkLinkHeaderSizeUnicode = 0x1C;

// EnvironmentVariableDataBlock: a target given as text with environment variables.
constexpr uint32_t kEnvironmentBlockSignature = 0xA0000001;
constexpr uint32_t kEnvironmentBlockSize = 0x314;

}  // namespace ShellLinkLayout

// The bytes of a link file. Strings longer than a counted string can hold (65535 characters)
// must have been refused before.
std::string WriteShellLink(const ShellLinkData& link);

// Reads a link file's bytes; false for anything that is not a well-formed link. Only the parts
// in ShellLinkData are kept; item lists and unknown extra data are skipped.
bool ReadShellLink(const void* bytes, size_t size, ShellLinkData* link);

}  // namespace Platform
