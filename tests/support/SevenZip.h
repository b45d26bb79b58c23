#pragma once
// Real 7z archives for tests, made with Debian's 7zz at test time.

#include <filesystem>
#include <string>

namespace TestSupport {

// Runs a shell command; returns its exit status (-1 when it could not run).
int RunShell(const std::string& command);
std::string ShellQuote(const std::string& text);
// Runs a shell command and returns what it wrote on standard output.
std::string CaptureShell(const std::string& command);

// Packs everything inside `tree` into a new 7z archive, with `switches` added to `7zz a`
// (methods, solid settings, ...). Returns false when 7zz fails.
bool Pack7z(const std::filesystem::path& tree, const std::filesystem::path& archive,
            const std::string& switches);

// Renames one entry inside an archive (7zz stores the new name exactly as given, "..", a root
// or a drive included, and keeps the entry where it was).
bool Rename7z(const std::filesystem::path& archive, const std::string& from, const std::string& to);

// Number of solid blocks 7zz reports for an archive (-1 when it cannot list it).
int SolidBlocks(const std::filesystem::path& archive);

// Packed size of each solid block, and where the packed data of block 0 starts (right after
// the 32-byte start header), for tests that damage one block.
long long PackedBlockSize(const std::filesystem::path& archive, int block);
constexpr long long kPackedDataStart = 32;

// Where the next header (the header database) of a 7z archive's bytes starts, and the bytes
// after recomputing both header CRCs, for tests that change a header and must get past the
// CRC checks to what they change.
size_t NextHeaderStart(const std::string& archive);
std::string Reseal7z(std::string archive);
// Replaces the first occurrence of `from` at or after `start`; false when there is none.
bool Patch(std::string* bytes, size_t start, const std::string& from, const std::string& to);

// The shipped payload and the programs it was made from, in the build folder.
std::filesystem::path BuildDir();
std::filesystem::path ShippedPayload();
std::filesystem::path PayloadProgram(const std::string& name);  // "PlayCrate" or "Uninstall"

}  // namespace TestSupport
