// The ds64 chunk of RF64 and BW64 files: the 64-bit sizes that stand in for
// 32-bit size fields holding 0xFFFFFFFF.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "brevolt/audio_file.h"
#include "core/bytes.h"
#include "core/header_reader.h"

namespace brevolt {

class Ds64Table {
 public:
  static constexpr std::uint32_t kUseDs64 = 0xFFFFFFFF;

  Ds64Table(std::uint64_t riffSize, std::uint64_t dataSize)
      : riffSize_(riffSize), dataSize_(dataSize) {}

  void AddEntry(const FourCC& id, std::uint64_t size) {
    entries_.push_back({id, size, false});
  }

  [[nodiscard]] std::uint64_t RiffSize(std::uint32_t field) const {
    return field == kUseDs64 ? riffSize_ : field;
  }

  // The size of a chunk whose header holds `field`. A "data" chunk takes the
  // table's data size, any other id the first unused entry with its id.
  std::uint64_t ChunkSize(const FourCC& id, std::uint32_t field);

 private:
  struct Entry {
    FourCC id;
    std::uint64_t size;
    bool used;
  };

  std::uint64_t riffSize_;
  std::uint64_t dataSize_;
  std::vector<Entry> entries_;
};

// Reads the ds64 chunk at offset 12 when it is there, at least 28 bytes long
// and wholly inside the file; empty otherwise.
std::optional<Ds64Table> ReadDs64(HeaderReader& reader, std::int64_t filesize);

}  // namespace brevolt
