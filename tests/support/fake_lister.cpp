#include "support/fake_lister.h"

#include "platform/platform.h"

namespace brevolt::test {
namespace {

NativeString Strip(NativeString path) {
  while (!path.empty() && path.back() == platform::kPathSeparator)
    path.pop_back();
  return path;
}

class FakeSearch final : public DirectorySearch {
 public:
  FakeSearch(const std::vector<DirEntry>& entries, int& open)
      : entries_(entries), open_(open) {
    ++open_;
  }
  FakeSearch(const FakeSearch&) = delete;
  FakeSearch& operator=(const FakeSearch&) = delete;
  ~FakeSearch() override { --open_; }

  bool Next(DirEntry& entry) override {
    if (next_ == entries_.size()) return false;
    entry = entries_[next_++];
    return true;
  }

 private:
  const std::vector<DirEntry>& entries_;
  std::size_t next_ = 0;
  int& open_;
};

}  // namespace

void FakeLister::AddFolder(const NativeString& folder,
                           std::vector<DirEntry> entries) {
  folders_[Strip(folder)] = std::move(entries);
}

void FakeLister::SetIdentity(const NativeString& path, FolderId id) {
  ids_[Strip(path)] = id;
}

std::unique_ptr<DirectorySearch> FakeLister::Open(const NativeString& base) {
  opened_.push_back(base);
  const auto found = folders_.find(Strip(base));
  if (found == folders_.end()) return nullptr;
  return std::make_unique<FakeSearch>(found->second, open_);
}

std::optional<FolderId> FakeLister::Identify(const NativeString& path) {
  const auto found = ids_.find(Strip(path));
  if (found == ids_.end()) return std::nullopt;
  return found->second;
}

DirEntry File(const NativeString& name, std::uint32_t attributes) {
  return {name, attributes};
}

DirEntry Folder(const NativeString& name, std::uint32_t attributes) {
  return {name, attributes};
}

}  // namespace brevolt::test
