// Folder listings on POSIX systems, with the attribute bits a Windows listing
// would carry: directory for folders, reparse point for symbolic links,
// hidden for dot names, system for anything that is not a file or a folder.
#include <dirent.h>
#include <sys/stat.h>

#include <string>
#include <string_view>

#include "brevolt/directory_lister.h"

namespace brevolt {
namespace {

// Folders and files as such; FIFOs, sockets and devices are system entries,
// which the walker never sees.
std::uint32_t AttributesOfMode(mode_t mode) {
  if (S_ISDIR(mode)) return attr::kDirectory;
  if (S_ISREG(mode)) return attr::kNormal;
  return attr::kSystem;
}

// A symbolic link is a reparse point, judged by its target; a dangling one
// is a system entry.
std::uint32_t AttributesOfLink(const std::string& path) {
  struct stat target {};
  if (::stat(path.c_str(), &target) != 0)
    return attr::kReparsePoint | attr::kSystem;
  const std::uint32_t bits = AttributesOfMode(target.st_mode);
  return attr::kReparsePoint | (bits == attr::kNormal ? 0 : bits);
}

// Only links and entries of unknown type cost a stat: the type that readdir
// reports is enough for everything else.
std::uint32_t TypeAttributes(const std::string& base, const char* name,
                             unsigned char type) {
  switch (type) {
    case DT_DIR:
      return attr::kDirectory;
    case DT_REG:
      return attr::kNormal;
    case DT_LNK:
      return AttributesOfLink(base + name);
    case DT_UNKNOWN: {
      const std::string path = base + name;
      struct stat info {};
      if (::lstat(path.c_str(), &info) != 0) return attr::kSystem;
      return S_ISLNK(info.st_mode) ? AttributesOfLink(path)
                                   : AttributesOfMode(info.st_mode);
    }
    default:  // FIFO, socket, device
      return attr::kSystem;
  }
}

std::uint32_t AttributesOf(const std::string& base, const dirent& entry) {
  const std::string_view name = entry.d_name;
  std::uint32_t bits = TypeAttributes(base, entry.d_name, entry.d_type);
  // Dot names are hidden by convention; "." and ".." are the folder itself.
  if (name[0] == '.' && name != "." && name != "..") bits |= attr::kHidden;
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
