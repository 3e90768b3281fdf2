// A file system made of listings: each folder path (with its trailing
// separator) maps to the entries its search returns, in order, with any
// attribute bits. Counts open searches so tests can see every one closed.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "brevolt/directory_lister.h"

namespace brevolt::test {

class FakeLister final : public DirectoryLister {
 public:
  // Adds `folder` (a path without trailing separator) with its entries.
  void AddFolder(const NativeString& folder, std::vector<DirEntry> entries);
  // Gives the folder at `path` an identity, as links to it would share.
  void SetIdentity(const NativeString& path, FolderId id);

  std::unique_ptr<DirectorySearch> Open(const NativeString& base) override;
  std::optional<FolderId> Identify(const NativeString& path) override;

  [[nodiscard]] int open_searches() const { return open_; }
  [[nodiscard]] const std::vector<NativeString>& opened() const {
    return opened_;
  }

 private:
  std::map<NativeString, std::vector<DirEntry>> folders_;
  std::map<NativeString, FolderId> ids_;
  std::vector<NativeString> opened_;
  int open_ = 0;
};

// Shorthands for entries.
DirEntry File(const NativeString& name,
              std::uint32_t attributes = attr::kNormal);
DirEntry Folder(const NativeString& name,
                std::uint32_t attributes = attr::kDirectory);

}  // namespace brevolt::test
