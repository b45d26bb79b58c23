#include "Platform/Kernel/FolderNames.h"

#include <dirent.h>

#include <list>
#include <mutex>
#include <unordered_map>

#include "Platform/Kernel/FolderStamp.h"
#include "Platform/Text/AsciiText.h"

namespace Platform {

namespace {

// Folders kept at once; the least recently asked one makes room.
constexpr size_t kFoldersKept = 16;

struct Folder {
  std::string path;
  FolderStamp stamp;
  std::unordered_multimap<std::string, std::string> byFolded;  // folded name -> name on disk

  // An entry with exactly `name`, else one in another case.
  KeptName Match(const std::string& name, std::string* found) const {
    auto [first, last] = byFolded.equal_range(FoldAsciiCase(name));
    if (first == last) return KeptName::Missing;
    for (auto it = first; it != last; ++it)
      if (it->second == name) return KeptName::Exact;
    *found = first->second;
    return KeptName::OtherCase;
  }

  // A name kept twice answers as once: no need to look before adding.
  void Add(const std::string& name) { byFolded.emplace(FoldAsciiCase(name), name); }
};

class FolderNameCache {
 public:
  bool Find(const std::string& folder, const std::string& name, std::string* found) {
    FolderStamp stamp;
    if (!ReadFolderStamp(folder, &stamp)) return false;
    std::lock_guard<std::mutex> hold(m_lock);
    Folder* kept = Kept(folder);
    if (!kept || !SameFolderStamp(kept->stamp, stamp)) {
      kept = Read(folder, stamp);
      if (!kept) return false;
    }
    std::string other;
    switch (kept->Match(name, &other)) {
      case KeptName::Exact: *found = name; return true;
      case KeptName::OtherCase: *found = other; return true;
      default: return false;
    }
  }

  KeptName FindKept(const std::string& folder, const std::string& name, std::string* found) {
    {
      std::lock_guard<std::mutex> hold(m_lock);
      if (!Kept(folder)) return KeptName::Unknown;  // spares the stat of a folder not kept
    }
    FolderStamp stamp;
    if (!ReadFolderStamp(folder, &stamp)) return KeptName::Unknown;
    std::lock_guard<std::mutex> hold(m_lock);
    Folder* kept = Kept(folder);
    if (!kept || !SameFolderStamp(kept->stamp, stamp)) return KeptName::Unknown;
    return kept->Match(name, found);
  }

  void Created(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return;
    std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    std::string name = path.substr(slash + 1);
    std::lock_guard<std::mutex> hold(m_lock);
    Folder* kept = Kept(folder);
    if (!kept) return;
    FolderStamp stamp;
    if (!ReadFolderStamp(folder, &stamp) || stamp.device != kept->stamp.device ||
        stamp.inode != kept->stamp.inode) {
      Forget(folder);
      return;
    }
    kept->Add(name);
    kept->stamp = stamp;
  }

 private:
  Folder* Kept(const std::string& folder) {
    for (auto it = m_folders.begin(); it != m_folders.end(); ++it) {
      if (it->path != folder) continue;
      m_folders.splice(m_folders.begin(), m_folders, it);
      return &m_folders.front();
    }
    return nullptr;
  }

  void Forget(const std::string& folder) {
    m_folders.remove_if([&](const Folder& f) { return f.path == folder; });
  }

  Folder* Read(const std::string& folder, const FolderStamp& stamp) {
    Forget(folder);
    DIR* d = opendir(folder.c_str());
    if (!d) return nullptr;
    Folder fresh;
    fresh.path = folder;
    fresh.stamp = stamp;
    while (struct dirent* e = readdir(d))
      fresh.byFolded.emplace(FoldAsciiCase(e->d_name), e->d_name);
    closedir(d);
    m_folders.push_front(std::move(fresh));
    if (m_folders.size() > kFoldersKept) m_folders.pop_back();
    return &m_folders.front();
  }

  std::mutex m_lock;
  std::list<Folder> m_folders;  // most recently asked first
};

FolderNameCache& Cache() {
  static FolderNameCache* cache = new FolderNameCache;  // used until the process ends
  return *cache;
}

}  // namespace

std::string FoldAsciiCase(const std::string& name) {
  std::string out = name;
  for (char& c : out) c = AsciiLower(c);
  return out;
}

bool FindNameIgnoringCase(const std::string& folder, const std::string& name, std::string* found) {
  return Cache().Find(folder, name, found);
}

KeptName FindKeptName(const std::string& folder, const std::string& name, std::string* found) {
  return Cache().FindKept(folder, name, found);
}

void NoteCreatedName(const std::string& path) { Cache().Created(path); }

}  // namespace Platform
