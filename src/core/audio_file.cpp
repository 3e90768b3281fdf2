// The WAV structure reader. It reads the 12-byte header and every chunk
// header, copies the format chunk, notes the last "data" chunk and passes
// over every other body without reading it.
#include "brevolt/audio_file.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "core/ascii.h"
#include "core/bytes.h"
#include "core/header_reader.h"
#include "core/rf64.h"
#include "platform/platform.h"

namespace brevolt {
namespace {

constexpr std::int64_t kMinimumFileSize = 34;
constexpr std::int64_t kFirstChunk = 12;
constexpr std::size_t kChunkHeaderSize = 8;

bool IsContainerId(const FourCC& id) {
  return id == FourCC("RIFF") || id == FourCC("RF64") || id == FourCC("BW64");
}

// The id of a chunk as the text of a message: its bytes up to the first
// zero byte, in the system's 8-bit code page.
std::string IdText(const FourCC& id) {
  const auto* bytes = reinterpret_cast<const char*>(id.bytes.data());
  return platform::AnsiToUtf8(
      std::string_view(bytes, strnlen(bytes, id.bytes.size())));
}

TWAVFormatType ClassifyFormatSize(std::uint64_t size) {
  if (size >= 40) return TWAVFormatType::QV_WAVFormatExtensible;
  if (size >= 18) return TWAVFormatType::QV_WAVFormatExCompressed;
  if (size >= 16) return TWAVFormatType::QV_WAVFormatExPCM;
  if (size >= 14) return TWAVFormatType::QV_WAVFormat;
  return TWAVFormatType::QV_None;
}

void ReadFormatChunk(TAudioInfo& info, HeaderReader& reader,
                     std::int64_t bodyAt, std::uint64_t size) {
  TFormatInfo& format = info.format;
  format.formattype = ClassifyFormatSize(size);
  /* A format body holds at least the 14 bytes of WAVEFORMAT. */
  if (format.formattype == TWAVFormatType::QV_None) {
    throw EWavFileError("Format chunk too small", 9, bodyAt);
  }
  auto& image = format.formatinfo.raw;
  const std::size_t head =
      static_cast<std::size_t>(std::min<std::uint64_t>(size, image.size()));
  const std::uint64_t extra = size - head;
  // The pad byte and the next chunk's header come with the body.
  const std::size_t nextHeader = (size & 1) + kChunkHeaderSize;
  if (extra == 0) {
    reader.Read(bodyAt, image.data(), head, nextHeader);
  } else if (extra <= static_cast<std::uint64_t>(kMaxFormatExtraBytes)) {
    reader.Read(bodyAt, image.data(), head);
    format.formatextradata.resize(static_cast<std::size_t>(extra));
    reader.Read(bodyAt + static_cast<std::int64_t>(head),
                format.formatextradata.data(), format.formatextradata.size(),
                nextHeader);
  } else {
    // Too large to hold: only the image is kept.
    reader.Read(bodyAt, image.data(), head);
    format.formatextradata.clear();
  }
  DescribeFormat(info);
}

// A run of zero bytes reads as empty chunks with an all-zero id, eight bytes
// each, which change nothing. A long run (a preallocated recording that was
// never filled) is passed over in blocks rather than one read per eight
// bytes; the result is the same. Returns the position of the first header
// that is not all zero, or the first one the loop no longer reads.
std::int64_t SkipZeroChunks(ByteSource& source, std::int64_t position,
                            std::int64_t filesize) {
  constexpr std::int64_t kBlock = 64 * 1024;
  const auto header = static_cast<std::int64_t>(kChunkHeaderSize);
  std::vector<std::uint8_t> block(
      static_cast<std::size_t>(std::min(kBlock, filesize - position)));
  while (position + header < filesize) {
    const std::int64_t count = std::min(kBlock, filesize - position);
    source.ReadAt(position, block.data(), static_cast<std::size_t>(count));
    const auto end = block.begin() + count;
    const std::int64_t zeros =
        std::find_if(block.begin(), end,
                     [](std::uint8_t b) { return b != 0; }) -
        block.begin();
    // Chunks at position + 8k that the loop would still read.
    const std::int64_t readable = (filesize - position - 1) / header;
    const std::int64_t skipped = std::min(zeros / header, readable);
    position += skipped * header;
    if (zeros < count || skipped == readable) break;
  }
  return position;
}

[[noreturn]] void ThrowMissing() {
  throw EWavFileError("File doesn't exist", 1, 0);
}

}  // namespace

TGuid TWavFormatExtensibleInfo::GUID() const {
  TGuid guid;
  guid.D1 = U32(24);
  guid.D2 = U16(28);
  guid.D3 = U16(30);
  std::copy_n(raw.begin() + 32, guid.D4.size(), guid.D4.begin());
  return guid;
}

void DescribeFormat(TAudioInfo& Info) {
  TFormatInfo& format = Info.format;
  std::uint16_t tag = format.formatinfo.tag();
  if (tag == 0xFFFE) {
    /* WAVE_FORMAT_EXTENSIBLE names its real tag in the sub-format GUID,
       xxxxxxxx-0000-0010-...; only D2 and D3 are checked. */
    const TGuid guid = format.formatinfo.GUID();
    if (guid.D2 == 0 && guid.D3 == 0x0010) {
      tag = static_cast<std::uint16_t>(guid.D1 & 0xFFFF);
    }
  }
  switch (tag) {
    case 1:
      format.formatname = "PCM";
      break;
    case 2:
      format.formatname = "ADPCM";
      format.formatcompressed = true;
      break;
    case 3:
      format.formatname = "IEEE FLOAT";
      format.formatfloatingpoint = true;
      break;
    case 6:
      format.formatname = "ALAW";
      break;
    case 7:
      format.formatname = "MULAW";
      break;
    case 0x11:
      format.formatname = "IMA ADPCM";
      format.formatcompressed = true;
      break;
    case 0x50:
      format.formatname = "MPEG";
      format.formatcompressed = true;
      break;
    case 0x55:
      format.formatname = "MP3";
      format.formatcompressed = true;
      break;
    case 0xFFFE:
      format.formatname = "WAV EXTENSIBLE";
      break;
    default:
      format.formatname = "UNKNOWN FORMAT TAG";
  }
}

void ReadAudioStructure(TAudioInfo& Info, ByteSource& Source) {
  const std::int64_t filesize = Source.Size();
  Info.filesize = filesize;
  if (filesize < kMinimumFileSize) throw EWavFileError("File too small", 5, 0);

  HeaderReader reader(Source);
  std::array<std::uint8_t, kFirstChunk> header{};
  // The first chunk's header comes with the file header: the file is at
  // least 34 bytes long, so it is there.
  reader.Read(0, header.data(), header.size(), kChunkHeaderSize);
  const FourCC container(header.data());
  /* Expecting "RIFF", or "RF64"/"BW64" with the same layout. */
  if (!IsContainerId(container)) {
    throw EWavFileError(R"(No "RIFF" or "RF64" ID)", 6, 8);
  }
  Info.RIFFSize = LoadU32(header.data() + 4);

  // RF64 keeps its real sizes in a ds64 chunk right after the header; where
  // one is present, a 32-bit size of 0xFFFFFFFF stands for its 64-bit value.
  std::optional<Ds64Table> ds64;
  if (container != FourCC("RIFF")) ds64 = ReadDs64(reader, filesize);

  const std::uint64_t riffSize =
      ds64 ? ds64->RiffSize(Info.RIFFSize) : Info.RIFFSize;
  /* The RIFF chunk must fit in the file. */
  if (riffSize > static_cast<std::uint64_t>(filesize - 8)) {
    throw EWavFileError("RIFF chunk larger than file size", 7, 8);
  }
  /* Expecting "WAVE". */
  if (FourCC(header.data() + 8) != FourCC("WAVE")) {
    throw EWavFileError("No \"WAVE\" ID", 8, 12);
  }

  // The loop runs to the end of the file, not to the end the RIFF size
  // declares. A tail too short for a chunk header and one byte is ignored.
  std::int64_t position = kFirstChunk;
  while (position + static_cast<std::int64_t>(kChunkHeaderSize) < filesize) {
    std::array<std::uint8_t, kChunkHeaderSize> chunk{};
    reader.Read(position, chunk.data(), chunk.size());
    const FourCC id(chunk.data());
    const std::uint32_t size32 = LoadU32(chunk.data() + 4);
    if (size32 == 0 && LoadU32(chunk.data()) == 0) {
      position = SkipZeroChunks(Source, position, filesize);
      continue;
    }
    const std::uint64_t size = ds64 ? ds64->ChunkSize(id, size32) : size32;
    const std::int64_t bodyAt =
        position + static_cast<std::int64_t>(kChunkHeaderSize);

    /* The body must lie inside the file; a missing pad byte is fine. */
    if (size > static_cast<std::uint64_t>(filesize - bodyAt)) {
      throw EWavFileError(IdText(id) + " chunk too big", 10, bodyAt);
    }
    if (id == FourCC("fmt ")) {
      ReadFormatChunk(Info, reader, bodyAt, size);
    } else if (id == FourCC("data")) {
      Info.dataposition = bodyAt;
      Info.datasize = static_cast<std::int64_t>(size);
    }
    // Sizes are at most filesize here, so none of these sums overflow.
    position = bodyAt + static_cast<std::int64_t>(size) +
               static_cast<std::int64_t>(size & 1);
  }
}

void ReadAudioInfo(TAudioInfo& Info, const std::filesystem::path& FileName) {
  Info = TAudioInfo{};
  Info.fileName = FileName;
  const std::string fileext = UpperAscii(platform::ExtensionOf(FileName));
  if (fileext != ".WAV") {
    if (!platform::FileExists(FileName)) ThrowMissing();
    Info.fileext = fileext;
    throw EWavFileError("No \".WAV\" extension", 4, 0);
  }
  // For a .WAV name the existence test is made by the open itself.
  Info.fileext = fileext;
  const std::unique_ptr<ByteSource> file = platform::OpenExistingFile(FileName);
  if (!file) {
    Info.fileext.clear();
    ThrowMissing();
  }
  ReadAudioStructure(Info, *file);
}

}  // namespace brevolt
