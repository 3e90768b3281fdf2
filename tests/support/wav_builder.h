// Builders for WAV bytes. Byte strings are std::string so that tests can
// splice and compare them freely.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brevolt::test {

std::string Le16(std::uint16_t value);
std::string Le32(std::uint32_t value);
std::string Le64(std::uint64_t value);

// id, size, body and, when the size is odd, a zero pad byte.
std::string Chunk(std::string_view id, std::string_view body);
// id and a size that need not match the body that follows; no pad byte.
std::string ChunkHeader(std::string_view id, std::uint32_t size);

// A 16-byte PCM format body.
std::string PcmFormat(std::uint16_t channels = 2, std::uint32_t rate = 48000,
                      std::uint16_t bits = 24);
// A 40-byte WAVE_FORMAT_EXTENSIBLE body with the given sub-format GUID parts.
std::string ExtensibleFormat(std::uint32_t d1, std::uint16_t d2,
                             std::uint16_t d3);

// container id, RIFF size (the body's length + 4 unless given), "WAVE", body.
std::string Riff(std::string_view chunks, std::string_view id = "RIFF");
std::string RiffWithSize(std::string_view chunks, std::uint32_t riffSize,
                         std::string_view id = "RIFF");

// A small valid PCM file: format chunk then a 4-byte data chunk.
std::string ValidWav();

}  // namespace brevolt::test
