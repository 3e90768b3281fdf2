#include "core/rf64.h"

#include <algorithm>
#include <array>

namespace brevolt {
namespace {

constexpr std::int64_t kDs64At = 12;
constexpr std::uint32_t kFixedPart =
    28;  // riff, data and sample counts, table length
constexpr std::uint32_t kEntrySize = 12;  // id and 64-bit size
// Real files carry a handful of entries; more than this are not looked at,
// so a hostile table length cannot make the reader hold much memory.
constexpr std::uint32_t kMaxEntries = 4096;

}  // namespace

std::uint64_t Ds64Table::ChunkSize(const FourCC& id, std::uint32_t field) {
  if (field != kUseDs64) return field;
  if (id == FourCC("data")) return dataSize_;
  for (Entry& entry : entries_) {
    if (!entry.used && entry.id == id) {
      entry.used = true;
      return entry.size;
    }
  }
  return field;
}

std::optional<Ds64Table> ReadDs64(HeaderReader& reader, std::int64_t filesize) {
  std::array<std::uint8_t, 8> header{};
  reader.Read(kDs64At, header.data(), header.size());
  const std::uint32_t size = LoadU32(header.data() + 4);
  const std::int64_t bodyAt = kDs64At + 8;
  if (FourCC(header.data()) != FourCC("ds64") || size < kFixedPart ||
      size > static_cast<std::uint64_t>(filesize - bodyAt)) {
    return std::nullopt;
  }
  const std::uint32_t readable =
      std::min(size, kFixedPart + kMaxEntries * kEntrySize);
  std::vector<std::uint8_t> body(readable);
  // The next chunk's header comes with the body.
  reader.Read(bodyAt, body.data(), body.size(),
              readable == size ? (size & 1) + 8 : 0);

  Ds64Table table(LoadU64(body.data()), LoadU64(body.data() + 8));
  const std::uint32_t declared = LoadU32(body.data() + 24);
  const std::uint32_t fitting = (readable - kFixedPart) / kEntrySize;
  for (std::uint32_t i = 0; i < std::min(declared, fitting); ++i) {
    const std::uint8_t* entry =
        body.data() + kFixedPart + static_cast<std::size_t>(i) * kEntrySize;
    table.AddEntry(FourCC(entry), LoadU64(entry + 4));
  }
  return table;
}

}  // namespace brevolt
