#pragma once
// Finds a name in a folder without regard to ASCII case, as Windows does, without reading the
// folder again for every question: the names of recently asked folders are kept, each with the
// folder's identity and change time. A folder that changed since it was read is read again,
// unless the change was one the platform made itself and reported through NoteCreatedName.
// The answers hold for every thread.

#include <string>

namespace Platform {

// The name of an entry of `folder` that equals `name` ignoring ASCII case; false when there is
// none (or the folder cannot be read). Where several entries match, which one is found is not
// defined.
bool FindNameIgnoringCase(const std::string& folder, const std::string& name, std::string* found);

enum class KeptName {
  Unknown,    // the folder's names are not kept, or it changed since: ask the file system
  Missing,    // no entry matches the name in any case
  Exact,      // an entry has exactly this name
  OtherCase,  // no entry has exactly this name, `found` has it in another case
};

// Answers from the names kept for `folder` alone, once its stamp is confirmed unchanged (one
// stat of the folder, no reading of it). `found` is set for OtherCase only.
KeptName FindKeptName(const std::string& folder, const std::string& name, std::string* found);

// Tells the names kept for the folder of `path` that `path` was just created by this process,
// so that the folder's new change time does not make them read the folder again.
void NoteCreatedName(const std::string& path);

// The lower-case ASCII form of a name (other bytes unchanged).
std::string FoldAsciiCase(const std::string& name);

}  // namespace Platform
