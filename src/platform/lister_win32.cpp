// Folder listings on Windows: FindFirstFileExW with the attributes the
// system keeps, volume serial number and file index as a folder's identity.
#include <windows.h>

#include "brevolt/directory_lister.h"

namespace brevolt {
namespace {

class Win32Search final : public DirectorySearch {
 public:
  Win32Search(HANDLE handle, const WIN32_FIND_DATAW& first)
      : handle_(handle), first_(first) {}
  Win32Search(const Win32Search&) = delete;
  Win32Search& operator=(const Win32Search&) = delete;
  ~Win32Search() override { ::FindClose(handle_); }

  bool Next(DirEntry& entry) override {
    WIN32_FIND_DATAW data{};
    if (pendingFirst_) {
      data = first_;
      pendingFirst_ = false;
    } else if (!::FindNextFileW(handle_, &data)) {
      return false;
    }
    entry.name = data.cFileName;
    entry.attributes = data.dwFileAttributes;
    return true;
  }

 private:
  HANDLE handle_;
  WIN32_FIND_DATAW first_;
  bool pendingFirst_ = true;
};

class Win32Lister final : public DirectoryLister {
 public:
  std::unique_ptr<DirectorySearch> Open(const NativeString& base) override {
    // The path goes to the system as it is, without a long-path prefix, so
    // the system's path-length limit applies.
    const std::wstring pattern = base + L"*.*";
    WIN32_FIND_DATAW first{};
    const HANDLE handle =
        ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &first,
                           FindExSearchNameMatch, nullptr, 0);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32Search>(handle, first);
  }

  std::optional<FolderId> Identify(const NativeString& path) override {
    const HANDLE handle = ::CreateFileW(
        path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    ::CloseHandle(handle);
    if (!known) return std::nullopt;
    return FolderId{info.dwVolumeSerialNumber,
                    (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) |
                        info.nFileIndexLow};
  }
};

}  // namespace

DirectoryLister& RealDirectoryLister() {
  static Win32Lister lister;
  return lister;
}

}  // namespace brevolt
