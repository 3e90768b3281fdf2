// The walker's view of the file system: folder listings with Windows-style
// attribute bits. Abstract so that tests can present entries a real file
// system cannot make; the real implementation is RealDirectoryLister().
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace brevolt {

using NativeString = std::filesystem::path::string_type;
using NativeChar = std::filesystem::path::value_type;

// Windows file attribute bits, as the walker tests them on every platform.
namespace attr {
inline constexpr std::uint32_t kReadOnly = 0x1;
inline constexpr std::uint32_t kHidden = 0x2;
inline constexpr std::uint32_t kSystem = 0x4;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;
inline constexpr std::uint32_t kNormal = 0x80;
inline constexpr std::uint32_t kTemporary = 0x100;
inline constexpr std::uint32_t kReparsePoint = 0x400;
inline constexpr std::uint32_t kCompressed = 0x800;
inline constexpr std::uint32_t kVirtual = 0x10000;
}  // namespace attr

struct DirEntry {
  NativeString name;
  std::uint32_t attributes = 0;
};

// Identifies a folder on its volume: device and inode on POSIX, volume
// serial number and file index on Windows.
struct FolderId {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FolderId&) const = default;
};

// One open listing. Destroying it closes it.
class DirectorySearch {
 public:
  virtual ~DirectorySearch() = default;
  // Moves to the next entry; false at the end or on a failure.
  virtual bool Next(DirEntry& entry) = 0;
};

class DirectoryLister {
 public:
  virtual ~DirectoryLister() = default;
  // Starts listing the folder whose path, ending in a separator, is
  // `base`. Returns null when the folder cannot be listed.
  virtual std::unique_ptr<DirectorySearch> Open(const NativeString& base) = 0;
  // The identity of the folder at `path`, following links; empty when it
  // cannot be had.
  virtual std::optional<FolderId> Identify(const NativeString& path) = 0;
};

// The lister of the platform the program runs on.
DirectoryLister& RealDirectoryLister();

}  // namespace brevolt
