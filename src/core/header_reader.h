// Reads the small pieces of a file that the structure walk needs, fetching
// the next chunk header together with the bytes before it where that is
// known to be safe, so that a typical file costs two reads, not four. Only
// headers and the format body are ever fetched: never audio data.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "brevolt/audio_file.h"

namespace brevolt {

class HeaderReader {
 public:
  explicit HeaderReader(ByteSource& source)
      : source_(source), size_(source.Size()) {}

  // Copies `count` bytes at `offset` into `into`. When the bytes are not at
  // hand, reads them and up to `lookahead` bytes after them in one call.
  void Read(std::int64_t offset, std::uint8_t* into, std::size_t count,
            std::size_t lookahead = 0) {
    const auto end = offset + static_cast<std::int64_t>(count);
    if (offset < start_ ||
        end > start_ + static_cast<std::int64_t>(cache_.size())) {
      const auto extra = static_cast<std::size_t>(std::clamp<std::int64_t>(
          size_ - end, 0, static_cast<std::int64_t>(lookahead)));
      cache_.resize(count + extra);
      source_.ReadAt(offset, cache_.data(), cache_.size());
      start_ = offset;
    }
    std::memcpy(into, cache_.data() + (offset - start_), count);
  }

 private:
  ByteSource& source_;
  std::int64_t size_;
  std::int64_t start_ = 0;
  std::vector<std::uint8_t> cache_;
};

}  // namespace brevolt
