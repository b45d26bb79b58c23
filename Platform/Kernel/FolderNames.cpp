#include "Platform/Kernel/FolderNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <list>
#include <mutex>
#include <unordered_map>

#include "Platform/Text/AsciiText.h"

namespace Platform {

namespace {

// Folders kept at once; the least recently asked one makes room.
constexpr size_t kFoldersKept = 16;

struct FolderStamp {
  dev_t device = 0;
  ino_t inode = 0;
  timespec changed{};
};

bool SameStamp(const FolderStamp& a, const FolderStamp& b) {
  return a.device == b.device && a.inode == b.inode && a.changed.tv_sec == b.changed.tv_sec &&
         a.changed.tv_nsec == b.changed.tv_nsec;
}

bool StampOf(const std::string& folder, FolderStamp* stamp) {
  struct stat st;
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  stamp->device = st.st_dev;
  stamp->inode = st.st_ino;
  stamp->changed = st.st_mtim;
  return true;
}

struct Folder {
  std::string path;
  FolderStamp stamp;
  std::unordered_map<std::string, std::string> byFolded;  // folded name -> name on disk
};

class FolderNameCache {
 public:
  bool Find(const std::string& folder, const std::string& name, std::string* found) {
    FolderStamp stamp;
    if (!StampOf(folder, &stamp)) return false;
    std::lock_guard<std::mutex> hold(m_lock);
    Folder* kept = Kept(folder);
    if (!kept || !SameStamp(kept->stamp, stamp)) {
      kept = Read(folder, stamp);
      if (!kept) return false;
    }
    auto it = kept->byFolded.find(FoldAsciiCase(name));
    if (it == kept->byFolded.end()) return false;
    *found = it->second;
    return true;
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
    if (!StampOf(folder, &stamp) || stamp.device != kept->stamp.device ||
        stamp.inode != kept->stamp.inode) {
      Forget(folder);
      return;
    }
    kept->byFolded.emplace(FoldAsciiCase(name), name);
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

void NoteCreatedName(const std::string& path) { Cache().Created(path); }

}  // namespace Platform
