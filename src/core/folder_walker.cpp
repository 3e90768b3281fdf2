// The folder walker. Levels are kept on an explicit stack rather than by
// recursion, so the depth of a tree costs heap, not call stack; each level
// owns its open listing, and unwinding the stack closes every listing on
// every way out, an error from a callback included.
#include "brevolt/folder_walker.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "core/ascii.h"
#include "platform/platform.h"

namespace brevolt {
namespace {

// A listing as the walker asks for it: entries that carry hidden, system or
// directory without that bit being in the search attribute set are left
// out, and a listing with no entry left does not start.
class FilteredSearch {
 public:
  static std::optional<FilteredSearch> Start(DirectoryLister& lister,
                                             const NativeString& base) {
    FilteredSearch search(lister.Open(base));
    if (!search.listing_ || !search.Advance()) return std::nullopt;
    return search;
  }

  [[nodiscard]] const DirEntry& Current() const { return entry_; }

  bool Advance() {
    constexpr std::uint32_t kFiltered =
        attr::kHidden | attr::kSystem | attr::kDirectory;
    constexpr std::uint32_t kLeftOut = kFiltered & ~kSearchAttributes;
    while (listing_->Next(entry_)) {
      if ((entry_.attributes & kLeftOut) == 0) return true;
    }
    return false;
  }

 private:
  explicit FilteredSearch(std::unique_ptr<DirectorySearch> listing)
      : listing_(std::move(listing)) {}

  std::unique_ptr<DirectorySearch> listing_;
  DirEntry entry_;
};

struct Level {
  NativeString base;  // the folder's path with its trailing separator
  FilteredSearch search;
  bool stop = false;
  bool started = true;         // the current entry is still to be handled
  std::optional<FolderId> id;  // looked up only when a link needs it
};

NativeString WithTrailingSeparator(NativeString path) {
  if (path.empty() || path.back() != platform::kPathSeparator) {
    path += platform::kPathSeparator;
  }
  return path;
}

// "." or "..".
bool IsDotEntry(const NativeString& name) {
  return !name.empty() && name.size() <= 2 &&
         name.find_first_not_of(NativeChar('.')) == NativeString::npos;
}

// The part of a name from its last dot, dot included; empty without a dot.
std::basic_string_view<NativeChar> NameExtension(const NativeString& name) {
  const auto dot = name.rfind(NativeChar('.'));
  if (dot == NativeString::npos) return {};
  return std::basic_string_view<NativeChar>(name).substr(dot);
}

class Walker {
 public:
  Walker(const std::string& extension, bool descend,
         const TFileCallback& onFile, const TFolderCallback& onFolder,
         const TAbortCallback& onCheckAbort,
         const TMessagePump& processMessages, DirectoryLister& lister)
      : extension_(platform::Utf8ToNative(extension)),
        descend_(descend),
        onFile_(onFile),
        onFolder_(onFolder),
        onCheckAbort_(onCheckAbort),
        processMessages_(processMessages),
        lister_(lister) {}

  void Run(const NativeString& folder) {
    Enter(folder);
    while (!levels_.empty()) Step();
  }

 private:
  void Enter(const NativeString& folder) {
    NativeString base = WithTrailingSeparator(folder);
    auto search = FilteredSearch::Start(lister_, base);
    if (search)
      levels_.push_back(Level{std::move(base), std::move(*search), false, true,
                              std::nullopt});
  }

  // Handles the current entry of the innermost level, or moves it on.
  void Step() {
    Level& level = levels_.back();
    if (!level.started && !level.search.Advance()) {
      levels_.pop_back();
      return;
    }
    level.started = false;
    if (onCheckAbort_) {
      onCheckAbort_(level.stop);
      if (level.stop) {
        levels_.pop_back();
        return;
      }
    }
    const DirEntry& entry = level.search.Current();
    if (IsDotEntry(entry.name)) return;
    if (descend_ && (entry.attributes & attr::kDirectory) != 0) {
      EnterSubfolder(level, entry);
    } else {
      OfferFile(level, entry);
    }
  }

  void EnterSubfolder(Level& level, const DirEntry& entry) {
    if (onFolder_) {
      onFolder_(std::filesystem::path(level.base));
      Pump();
    }
    // Enter() may move the levels, so `level` and `entry` are not used after
    // it.
    NativeString path = level.base + entry.name;
    if ((entry.attributes & attr::kReparsePoint) != 0 &&
        LeadsToAncestor(path)) {
      return;
    }
    Enter(path);
  }

  void OfferFile(const Level& level, const DirEntry& entry) {
    if ((entry.attributes & kFileExclusion) != 0 || !onFile_) return;
    if (!EqualsIgnoringAsciiCase(
            NameExtension(entry.name),
            std::basic_string_view<NativeChar>(extension_))) {
      return;
    }
    onFile_(std::filesystem::path(level.base + entry.name));
    Pump();
  }

  // True when the folder link at `path` leads to a folder on the current
  // path from the root, which would make the walk go round forever.
  bool LeadsToAncestor(const NativeString& path) {
    const std::optional<FolderId> target = lister_.Identify(path);
    if (!target) return false;
    return std::any_of(levels_.begin(), levels_.end(), [&](Level& ancestor) {
      if (!ancestor.id) ancestor.id = lister_.Identify(ancestor.base);
      return ancestor.id == target;
    });
  }

  void Pump() {
    if (processMessages_) processMessages_();
  }

  NativeString extension_;
  bool descend_;
  const TFileCallback& onFile_;
  const TFolderCallback& onFolder_;
  const TAbortCallback& onCheckAbort_;
  const TMessagePump& processMessages_;
  DirectoryLister& lister_;
  std::vector<Level> levels_;
};

}  // namespace

void ScanFolder(const std::filesystem::path& Folder,
                const std::string& Extension, bool Descend,
                const TFileCallback& OnFile, const TFolderCallback& OnFolder,
                const TAbortCallback& OnCheckAbort,
                const TMessagePump& ProcessMessages, DirectoryLister& Lister) {
  Walker(Extension, Descend, OnFile, OnFolder, OnCheckAbort, ProcessMessages,
         Lister)
      .Run(Folder.native());
}

}  // namespace brevolt
