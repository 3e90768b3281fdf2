// File bytes held in memory, as the reader sees a file; counts its reads.
#pragma once

#include <cstring>
#include <stdexcept>
#include <string>

#include "brevolt/audio_file.h"

namespace brevolt::test {

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string bytes, std::int64_t size = -1)
      : bytes_(std::move(bytes)),
        size_(size < 0 ? static_cast<std::int64_t>(bytes_.size()) : size) {}

  [[nodiscard]] std::int64_t Size() const override { return size_; }

  // Bytes past those held read as zeros, so a large sparse file costs
  // nothing.
  void ReadAt(std::int64_t offset, std::uint8_t* into,
              std::size_t count) override {
    ++reads_;
    if (offset < 0 || offset + static_cast<std::int64_t>(count) > size_) {
      throw std::out_of_range("read outside the file");
    }
    std::memset(into, 0, count);
    const auto held = static_cast<std::int64_t>(bytes_.size());
    if (offset < held) {
      std::memcpy(into, bytes_.data() + offset,
                  static_cast<std::size_t>(
                      std::min<std::int64_t>(held - offset, count)));
    }
  }

  [[nodiscard]] int reads() const { return reads_; }

 private:
  std::string bytes_;
  std::int64_t size_;
  int reads_ = 0;
};

}  // namespace brevolt::test
