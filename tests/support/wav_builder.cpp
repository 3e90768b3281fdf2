#include "support/wav_builder.h"

namespace brevolt::test {

std::string Le16(std::uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string Le32(std::uint32_t value) {
  return Le16(static_cast<std::uint16_t>(value & 0xFFFF)) +
         Le16(static_cast<std::uint16_t>(value >> 16));
}

std::string Le64(std::uint64_t value) {
  return Le32(static_cast<std::uint32_t>(value & 0xFFFFFFFF)) +
         Le32(static_cast<std::uint32_t>(value >> 32));
}

std::string ChunkHeader(std::string_view id, std::uint32_t size) {
  return std::string(id) + Le32(size);
}

std::string Chunk(std::string_view id, std::string_view body) {
  std::string bytes = ChunkHeader(id, static_cast<std::uint32_t>(body.size()));
  bytes += body;
  if (body.size() % 2 != 0) bytes += '\0';
  return bytes;
}

std::string PcmFormat(std::uint16_t channels, std::uint32_t rate,
                      std::uint16_t bits) {
  const auto align = static_cast<std::uint16_t>(channels * ((bits + 7) / 8));
  return Le16(1) + Le16(channels) + Le32(rate) + Le32(rate * align) +
         Le16(align) + Le16(bits);
}

std::string ExtensibleFormat(std::uint32_t d1, std::uint16_t d2,
                             std::uint16_t d3) {
  std::string body = Le16(0xFFFE) + PcmFormat().substr(2);
  body += Le16(22) + Le16(24) + Le32(3);
  body += Le32(d1) + Le16(d2) + Le16(d3);
  body += std::string("\x80\x00\x00\xAA\x00\x38\x9B\x71", 8);
  return body;
}

std::string RiffWithSize(std::string_view chunks, std::uint32_t riffSize,
                         std::string_view id) {
  return std::string(id) + Le32(riffSize) + "WAVE" + std::string(chunks);
}

std::string Riff(std::string_view chunks, std::string_view id) {
  return RiffWithSize(chunks, static_cast<std::uint32_t>(chunks.size() + 4),
                      id);
}

std::string ValidWav() {
  return Riff(Chunk("fmt ", PcmFormat()) +
              Chunk("data", std::string(4, '\x01')));
}

}  // namespace brevolt::test
