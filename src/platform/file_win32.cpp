// Opening, sizing and reading files on Windows.
#include <windows.h>

#include "brevolt/errors.h"
#include "platform/platform.h"
#include "platform/system_error_win32.h"

namespace brevolt::platform {
namespace {

std::string PathText(const std::filesystem::path& path) {
  return WideToUtf8(path.native());
}

// A read-only handle; every read names its position, so nothing beyond the
// bytes asked for is pulled into memory.
class Win32File final : public ByteSource {
 public:
  Win32File(HANDLE handle, std::int64_t size, std::string path)
      : handle_(handle), size_(size), path_(std::move(path)) {}
  Win32File(const Win32File&) = delete;
  Win32File& operator=(const Win32File&) = delete;
  ~Win32File() override { ::CloseHandle(handle_); }

  [[nodiscard]] std::int64_t Size() const override { return size_; }

  void ReadAt(std::int64_t offset, std::uint8_t* into,
              std::size_t count) override {
    while (count > 0) {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
      at.OffsetHigh =
          static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
      const DWORD chunk =
          count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
      DWORD got = 0;
      if (!::ReadFile(handle_, into, chunk, &got, &at) || got == 0) {
        const DWORD error = ::GetLastError();
        throw EReadError("Cannot read file \"" + path_ + "\". " +
                         (got == 0 && error == ERROR_SUCCESS
                              ? "Unexpected end of file"
                              : Win32ErrorText(error)));
      }
      into += got;
      offset += got;
      count -= got;
    }
  }

 private:
  HANDLE handle_;
  std::int64_t size_;
  std::string path_;
};

class Win32WritableFile final : public WritableFile {
 public:
  explicit Win32WritableFile(HANDLE handle) : handle_(handle) {}
  Win32WritableFile(const Win32WritableFile&) = delete;
  Win32WritableFile& operator=(const Win32WritableFile&) = delete;
  ~Win32WritableFile() override { ::CloseHandle(handle_); }

  void Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      DWORD put = 0;
      if (!::WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()),
                       &put, nullptr) ||
          put == 0) {
        throw EWriteError("Stream write error");
      }
      bytes.remove_prefix(put);
    }
  }

 private:
  HANDLE handle_;
};

}  // namespace

bool FileExists(const std::filesystem::path& path) {
  // Opening with no access follows links to their target and works for any
  // file, whatever its sharing; the handle tells what the target is.
  const HANDLE handle = ::CreateFileW(
      path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool file = ::GetFileInformationByHandle(handle, &info) != 0 &&
                    (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                    ::GetFileType(handle) == FILE_TYPE_DISK;
  ::CloseHandle(handle);
  return file;
}

std::unique_ptr<ByteSource> OpenExistingFile(
    const std::filesystem::path& path) {
  // Read access only; other programs may read the file meanwhile but not
  // write it, and one that already writes it makes this open fail.
  const HANDLE handle =
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (!FileExists(path)) return nullptr;
    throw EFOpenError("Cannot open file \"" + PathText(path) + "\". " +
                      Win32ErrorText(error));
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
      ::GetFileType(handle) != FILE_TYPE_DISK) {
    ::CloseHandle(handle);
    return nullptr;
  }
  const auto size = static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) |
      info.nFileSizeLow);
  return std::make_unique<Win32File>(handle, size, PathText(path));
}

std::unique_ptr<WritableFile> CreateWritableFile(
    const std::filesystem::path& path) {
  const HANDLE handle =
      ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    throw EFCreateError("Cannot create file \"" + PathText(path) + "\". " +
                        Win32ErrorText(::GetLastError()));
  }
  return std::make_unique<Win32WritableFile>(handle);
}

}  // namespace brevolt::platform
