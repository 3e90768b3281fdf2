// Opening, sizing and reading files on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "brevolt/errors.h"
#include "platform/platform.h"
#include "platform/system_error_posix.h"

namespace brevolt::platform {
namespace {

// A read-only descriptor; reads are positional, so nothing beyond the bytes
// asked for is pulled into memory.
class PosixFile final : public ByteSource {
 public:
  PosixFile(int fd, std::int64_t size, std::string path)
      : fd_(fd), size_(size), path_(std::move(path)) {}
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;
  ~PosixFile() override { ::close(fd_); }

  [[nodiscard]] std::int64_t Size() const override { return size_; }

  void ReadAt(std::int64_t offset, std::uint8_t* into,
              std::size_t count) override {
    while (count > 0) {
      const ssize_t got = ::pread(fd_, into, count, offset);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) {
        // The file shrank or the device failed after the size was taken.
        throw EReadError(
            "Cannot read file \"" + path_ + "\". " +
            (got == 0 ? "Unexpected end of file" : PosixErrorText(errno)));
      }
      into += got;
      offset += got;
      count -= static_cast<std::size_t>(got);
    }
  }

 private:
  int fd_;
  std::int64_t size_;
  std::string path_;
};

int OpenForReading(const char* path) {
  // The type is tested on the opened file, so the open must be harmless
  // for anything that is not a file: O_NONBLOCK keeps a FIFO from blocking
  // it, O_NOCTTY keeps a terminal from becoming ours. O_NOATIME keeps a
  // scan from touching access times where the caller owns the file;
  // elsewhere the system refuses it and we go without.
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
#ifdef O_NOATIME
  const int fd = ::open(path, kFlags | O_NOATIME);
  if (fd >= 0 || errno != EPERM) return fd;
#endif
  return ::open(path, kFlags);
}

class PosixWritableFile final : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}
  PosixWritableFile(const PosixWritableFile&) = delete;
  PosixWritableFile& operator=(const PosixWritableFile&) = delete;
  ~PosixWritableFile() override { ::close(fd_); }

  void Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t put = ::write(fd_, bytes.data(), bytes.size());
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) throw EWriteError("Stream write error");
      bytes.remove_prefix(static_cast<std::size_t>(put));
    }
  }

 private:
  int fd_;
};

}  // namespace

bool FileExists(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::unique_ptr<ByteSource> OpenExistingFile(
    const std::filesystem::path& path) {
  const int fd = OpenForReading(path.c_str());
  if (fd < 0) {
    const int error = errno;
    if (!FileExists(path)) return nullptr;
    throw EFOpenError("Cannot open file \"" + path.string() + "\". " +
                      PosixErrorText(error));
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixFile>(
      fd, static_cast<std::int64_t>(info.st_size), path.string());
}

std::unique_ptr<WritableFile> CreateWritableFile(
    const std::filesystem::path& path) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    throw EFCreateError("Cannot create file \"" + path.string() + "\". " +
                        PosixErrorText(errno));
  }
  return std::make_unique<PosixWritableFile>(fd);
}

}  // namespace brevolt::platform
