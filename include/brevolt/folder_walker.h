// The recursive folder walker.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "brevolt/directory_lister.h"

namespace brevolt {

using TFileCallback = std::function<void(const std::filesystem::path&)>;
using TFolderCallback = std::function<void(const std::filesystem::path&)>;
using TAbortCallback = std::function<void(bool& Stop)>;
// Runs whatever the caller needs between two entries (a UI's pending
// messages); called after each OnFile and after each OnFolder, nowhere else.
using TMessagePump = std::function<void()>;

// The search attribute set asked of the listing, and the attributes that keep
// a file from being handed over.
inline constexpr std::uint32_t kSearchAttributes =
    attr::kReadOnly | attr::kDirectory | attr::kArchive | attr::kNormal;
inline constexpr std::uint32_t kFileExclusion =
    attr::kHidden | attr::kSystem | attr::kTemporary | attr::kReparsePoint |
    attr::kCompressed | attr::kVirtual;

// Walks Folder depth first, in the listing's own order. Every file whose
// extension equals Extension (ASCII case folded) and that carries none of the
// excluded attributes goes to OnFile; before a sub-folder is walked, OnFolder
// receives the path of the folder being listed. OnCheckAbort is asked before
// every entry. Any callback may be empty. Errors from callbacks pass through
// after every open listing has been closed.
void ScanFolder(const std::filesystem::path& Folder,
                const std::string& Extension, bool Descend,
                const TFileCallback& OnFile, const TFolderCallback& OnFolder,
                const TAbortCallback& OnCheckAbort,
                const TMessagePump& ProcessMessages = {},
                DirectoryLister& Lister = RealDirectoryLister());

}  // namespace brevolt
