// Folder listings on POSIX systems, with the attribute bits a Windows listing
// would carry: directory for folders, reparse point for symbolic links,
// hidden for dot names, system for anything that is not a file or a folder.
#include <dirent.h>
#include <sys/stat.h>

#include "brevolt/directory_lister.h"

namespace brevolt {
namespace {

std::uint32_t AttributesOfTarget(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return attr::kSystem;  // dangling
  if (S_ISDIR(info.st_mode)) return attr::kDirectory;
  if (S_ISREG(info.st_mode)) return 0;
  return attr::kSystem;
}

std::uint32_t AttributesOfLink(const std::string& path) {
  return attr::kReparsePoint | AttributesOfTarget(path);
}

// Only links and entries of unknown type cost a stat: the type that readdir
// reports is enough for everything else.
std::uint32_t AttributesOf(const std::string& base, const dirent& entry) {
  const std::string name = entry.d_name;
  std::uint32_t bits = 0;
  switch (entry.d_type) {
    case DT_DIR:
      bits = attr::kDirectory;
      break;
    case DT_REG:
      bits = attr::kNormal;
      break;
    case DT_LNK:
      bits = AttributesOfLink(base + name);
      break;
    case DT_UNKNOWN: {
      struct stat info {};
      const std::string path = base + name;
      if (::lstat(path.c_str(), &info) != 0) {
        bits = attr::kSystem;
      } else if (S_ISLNK(info.st_mode)) {
        bits = AttributesOfLink(path);
      } else if (S_ISDIR(info.st_mode)) {
        bits = attr::kDirectory;
      } else if (S_ISREG(info.st_mode)) {
        bits = attr::kNormal;
      } else {
        bits = attr::kSystem;
      }
      break;
    }
    default:  // FIFO, socket, device
      bits = attr::kSystem;
  }
  const bool dotName = name[0] == '.' && name != "." && name != "..";
  if (dotName) bits |= attr::kHidden;
  if (bits == 0) bits = attr::kNormal;
  return bits;
}

class PosixSearch final : public DirectorySearch {
 public:
  PosixSearch(DIR* dir, std::string base) : dir_(dir), base_(std::move(base)) {}
  PosixSearch(const PosixSearch&) = delete;
  PosixSearch& operator=(const PosixSearch&) = delete;
  ~PosixSearch() override { ::closedir(dir_); }

  bool Next(DirEntry& entry) override {
    const dirent* found = ::readdir(dir_);
    if (found == nullptr) return false;
    entry.name = found->d_name;
    entry.attributes = AttributesOf(base_, *found);
    return true;
  }

 private:
  DIR* dir_;
  std::string base_;
};

class PosixLister final : public DirectoryLister {
 public:
  std::unique_ptr<DirectorySearch> Open(const NativeString& base) override {
    DIR* dir = ::opendir(base.c_str());
    if (dir == nullptr) return nullptr;
    return std::make_unique<PosixSearch>(dir, base);
  }

  std::optional<FolderId> Identify(const NativeString& path) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FolderId{static_cast<std::uint64_t>(info.st_dev),
                    static_cast<std::uint64_t>(info.st_ino)};
  }
};

}  // namespace

DirectoryLister& RealDirectoryLister() {
  static PosixLister lister;
  return lister;
}

}  // namespace brevolt
