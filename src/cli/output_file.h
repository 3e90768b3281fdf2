// A std::ostream over a file the platform layer created, so that a failed
// create reports the system's reason.
#pragma once

#include <array>
#include <memory>
#include <ostream>
#include <streambuf>

#include "platform/platform.h"

namespace brevolt::cli {

class OutputFile final : public std::streambuf {
 public:
  explicit OutputFile(const std::filesystem::path& path)
      : file_(platform::CreateWritableFile(path)) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
  }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() override { sync(); }

 protected:
  int_type overflow(int_type c) override {
    if (sync() != 0) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  int sync() override {
    try {
      file_->Write(std::string_view(
          pbase(), static_cast<std::size_t>(pptr() - pbase())));
    } catch (const std::exception&) {
      return -1;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return 0;
  }

 private:
  std::unique_ptr<platform::WritableFile> file_;
  std::array<char, 1 << 16> buffer_{};
};

}  // namespace brevolt::cli
