// The WAV structure reader: the record it fills, the error it raises, and the
// reader itself. Only the container is checked; audio samples are never read.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace brevolt {

// The size class of a format chunk's body.
enum class TWAVFormatType : std::uint8_t {
  QV_None = 0,                   // no format chunk read
  QV_WAVFormat = 1,              // 14 or 15 bytes
  QV_WAVFormatExPCM = 2,         // 16 or 17 bytes
  QV_WAVFormatExCompressed = 3,  // 18 to 39 bytes
  QV_WAVFormatExtensible = 4,    // 40 bytes or more
};

// One 16-bit word with three names; nothing interprets it.
struct TWavFormatExtensibleSamples {
  std::uint16_t validbits = 0;
  [[nodiscard]] std::uint16_t samplesperblock() const { return validbits; }
  [[nodiscard]] std::uint16_t Reserved() const { return validbits; }
};

struct TGuid {
  std::uint32_t D1 = 0;
  std::uint16_t D2 = 0;
  std::uint16_t D3 = 0;
  std::array<std::uint8_t, 8> D4{};
};

// The first 40 bytes of a format chunk's body (WAVEFORMATEXTENSIBLE), kept
// exactly as stored. The fields are read from those bytes as little-endian
// integers at their offsets, never by overlaying a struct.
struct TWavFormatExtensibleInfo {
  static constexpr std::size_t kSize = 40;

  std::array<std::uint8_t, kSize> raw{};

  [[nodiscard]] std::uint16_t tag() const { return U16(0); }
  [[nodiscard]] std::uint16_t channels() const { return U16(2); }
  [[nodiscard]] std::uint32_t fs() const { return U32(4); }
  [[nodiscard]] std::uint32_t byterate() const { return U32(8); }
  [[nodiscard]] std::uint16_t align() const { return U16(12); }
  [[nodiscard]] std::uint16_t bits() const { return U16(14); }
  [[nodiscard]] std::uint16_t size() const { return U16(16); }
  [[nodiscard]] TWavFormatExtensibleSamples samples() const {
    return {U16(18)};
  }
  [[nodiscard]] std::uint32_t channelmask() const { return U32(20); }
  [[nodiscard]] TGuid GUID() const;

 private:
  [[nodiscard]] std::uint16_t U16(std::size_t at) const {
    return static_cast<std::uint16_t>(raw[at] | (raw[at + 1] << 8));
  }
  [[nodiscard]] std::uint32_t U32(std::size_t at) const {
    return static_cast<std::uint32_t>(U16(at)) |
           (static_cast<std::uint32_t>(U16(at + 2)) << 16);
  }
};

struct TFormatInfo {
  TWavFormatExtensibleInfo formatinfo;
  std::vector<std::uint8_t> formatextradata;  // body bytes beyond the first 40
  std::string formatname;  // empty until a format chunk is read
  bool formatcompressed = false;
  bool formatfloatingpoint = false;
  TWAVFormatType formattype = TWAVFormatType::QV_None;
};

// Everything the reader learns about one file. A default-constructed record
// is the reset state.
struct TAudioInfo {
  std::filesystem::path fileName;  // exactly as given to the reader
  std::string fileext;             // UTF-8, ASCII letters upper-cased
  std::int64_t filesize = 0;
  std::uint32_t RIFFSize = 0;  // the 32-bit header field as stored
  TFormatInfo format;
  std::int64_t dataposition = 0;  // first body byte of the last "data" chunk
  std::int64_t datasize = 0;      // that chunk's size
};

// The structural failure of a WAV file: a reason code (1, 4 to 10), its
// message (UTF-8) and the byte position at which reading stood.
class EWavFileError : public std::runtime_error {
 public:
  EWavFileError(const std::string& Msg, std::int32_t ErrorCode,
                std::int64_t Position)
      : std::runtime_error(Msg), FErrorCode(ErrorCode), FPosition(Position) {}

  [[nodiscard]] std::int32_t ErrorCode() const { return FErrorCode; }
  [[nodiscard]] std::int64_t Pos() const { return FPosition; }

 private:
  std::int32_t FErrorCode;
  std::int64_t FPosition;
};

// The most bytes of a format chunk's extra part that the reader keeps in
// TFormatInfo::formatextradata. A larger extra part is passed over unread and
// leaves formatextradata empty, so a hostile size cannot exhaust memory.
inline constexpr std::int64_t kMaxFormatExtraBytes = 1 << 20;

// Random access to the bytes of one file: the reader's only view of it.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  [[nodiscard]] virtual std::int64_t Size() const = 0;
  // Reads exactly `count` bytes at `offset`, which the caller has checked
  // lie inside Size(). Raises the platform's error if the system fails.
  virtual void ReadAt(std::int64_t offset, std::uint8_t* into,
                      std::size_t count) = 0;
};

// Checks the RIFF/RF64 structure of the file at FileName and fills Info.
// Raises EWavFileError at the first failed test, and EFOpenError when the
// file exists but cannot be opened.
void ReadAudioInfo(TAudioInfo& Info, const std::filesystem::path& FileName);

// The structure walk alone, from the file-size test on, over any source.
// Info.fileName and Info.fileext are left as they are.
void ReadAudioStructure(TAudioInfo& Info, ByteSource& Source);

// Sets formatname and, for some tags, one of the two flags from formatinfo.
void DescribeFormat(TAudioInfo& Info);

}  // namespace brevolt
