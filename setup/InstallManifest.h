#pragma once
// The list of what an install created, kept in the install folder as "uninstall.lst" so that
// an undo or the uninstaller removes exactly that and nothing the user had before.
//
// The file is UTF-8 without a byte-order mark, every line ends in CR LF. The first line is
// "HalvaneInstall 1"; each further line is one thing the install created, in creation order:
//   D <path>   a folder it created
//   F <path>   a file it wrote
//   L <path>   a shortcut file it wrote
//   P <path>   a pinned link (the path given to the pin verb)
// D and F paths under the install folder are relative to it; everything else is an absolute
// Windows path ("X:\..."). Backslashes separate. The list does not name itself.
//
// No window code: the uninstaller links this file too. Any thread; one writer per list.

#include <string>
#include <vector>

#include "Platform/Win32.h"

inline constexpr WCHAR kManifestFileName[] = TEXT("uninstall.lst");

enum class ManifestKind : char { Folder = 'D', File = 'F', Link = 'L', Pin = 'P' };

struct ManifestEntry {
  ManifestKind kind = ManifestKind::File;
  std::basic_string<WCHAR> path;  // as listed: relative to the install folder or absolute
  bool operator==(const ManifestEntry& other) const {
    return kind == other.kind && path == other.path;
  }
};

// The text of a whole list, and one entry's line (both UTF-8, CR LF).
std::string ManifestHeaderLine();
std::string ManifestLine(const ManifestEntry& entry);

// Parses a whole list. A last line without its CR LF is a write the install did not finish and
// is left out. False on a missing header, an unknown kind, or a path that does not name a
// place safely (empty, "..", a relative path with a drive or ":", a path not valid UTF-8).
bool ParseManifest(const std::string& text, std::vector<ManifestEntry>* entries);

// The absolute path an entry names, into MAX_PATH characters; `installDir` ends with a
// backslash. False when it does not fit or the path is not one ParseManifest accepts.
bool ManifestEntryPath(LPCWSTR installDir, const ManifestEntry& entry, WCHAR* out);

// Reads installDir + "uninstall.lst". False with the file's error, or ERROR_INVALID_DATA when
// the text is not a list.
bool ReadInstallManifest(LPCWSTR installDir, std::vector<ManifestEntry>* entries);

// Writes the list while the install goes: each entry reaches the file before Add returns.
class InstallManifestWriter {
 public:
  InstallManifestWriter() = default;
  ~InstallManifestWriter() { Close(); }
  InstallManifestWriter(const InstallManifestWriter&) = delete;
  InstallManifestWriter& operator=(const InstallManifestWriter&) = delete;

  // Creates the list in `installDir` (which must exist; ends with a backslash). The entries of
  // an earlier list there whose things still exist are listed again first, so an uninstall
  // after a reinstall still finds them; they are not this install's own. False with the
  // system's error set.
  bool Create(LPCWSTR installDir);

  // Lists something this install created; an absolute path under the install folder is stored
  // relative to it. The entry is kept in memory even when the file write fails (the undo still
  // needs it): false then, with the error set. `createdNow` false lists a file that existed
  // before and was overwritten: the uninstaller removes it, an undo keeps it.
  bool Add(ManifestKind kind, LPCWSTR absolutePath, bool createdNow = true);

  // This install's own entries, in creation order (not those carried from an earlier list).
  const std::vector<ManifestEntry>& Created() const { return m_created; }
  // Entries carried from an earlier list.
  const std::vector<ManifestEntry>& Carried() const { return m_carried; }
  LPCWSTR InstallDir() const { return m_installDir.c_str(); }

  // Puts the list back to the carried entries alone, or deletes it when there are none: what
  // an undo leaves.
  bool RewriteCarriedOnly();
  void Close();

 private:
  bool WriteLine(const std::string& line);
  bool IsListed(const ManifestEntry& entry) const;

  HANDLE m_file = INVALID_HANDLE_VALUE;
  std::basic_string<WCHAR> m_installDir;
  std::vector<ManifestEntry> m_carried;
  std::vector<ManifestEntry> m_created;
};
