// Little-endian fields and four-character codes, decoded byte by byte.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace brevolt {

inline std::uint32_t LoadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) |
         (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) |
         (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::uint64_t LoadU64(const std::uint8_t* p) {
  return static_cast<std::uint64_t>(LoadU32(p)) |
         (static_cast<std::uint64_t>(LoadU32(p + 4)) << 32);
}

// A chunk id: four bytes, compared exactly.
struct FourCC {
  std::array<std::uint8_t, 4> bytes{};

  explicit FourCC(const std::uint8_t* p) { std::copy_n(p, 4, bytes.begin()); }
  // From a literal such as "fmt "; the terminating zero is not part of it.
  explicit consteval FourCC(const char (&text)[5])
      : bytes{static_cast<std::uint8_t>(text[0]),
              static_cast<std::uint8_t>(text[1]),
              static_cast<std::uint8_t>(text[2]),
              static_cast<std::uint8_t>(text[3])} {}

  bool operator==(const FourCC&) const = default;
};

}  // namespace brevolt
