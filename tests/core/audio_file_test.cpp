// The reader against crafted files: one valid file, damaged one way per row.
#include "brevolt/audio_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "brevolt/errors.h"
#include "platform/platform.h"
#include "support/memory_source.h"
#include "support/temp_dir.h"
#include "support/wav_builder.h"

namespace brevolt {
namespace {

using test::Chunk;
using test::ChunkHeader;
using test::Le16;
using test::Le32;
using test::Le64;
using test::PcmFormat;
using test::Riff;
using test::RiffWithSize;

const std::string kData4(4, '\x01');

struct Outcome {
  int code = 0;  // 0: the file passes
  std::int64_t position = 0;
  std::string message;
};

struct ReaderCase {
  const char* name;
  std::string bytes;
  Outcome expected;
  std::function<void(const TAudioInfo&)> check = nullptr;
};

Outcome Pass() { return {}; }
Outcome Fail(int code, std::int64_t position, std::string message) {
  return {code, position, std::move(message)};
}

// Runs the reader on `bytes` saved as x.wav; returns what it raised.
Outcome Inspect(const std::string& bytes, TAudioInfo& info,
                const char* fileName = "x.wav") {
  test::TempDir dir;
  const auto path = dir.Write(platform::Utf8ToNative(fileName), bytes);
  try {
    ReadAudioInfo(info, path);
  } catch (const EWavFileError& e) {
    return {e.ErrorCode(), e.Pos(), e.what()};
  }
  return {};
}

void RunCases(const std::vector<ReaderCase>& cases) {
  for (const ReaderCase& c : cases) {
    SCOPED_TRACE(c.name);
    TAudioInfo info;
    const Outcome got = Inspect(c.bytes, info);
    EXPECT_EQ(got.code, c.expected.code);
    EXPECT_EQ(got.position, c.expected.position);
    EXPECT_EQ(got.message, c.expected.message);
    if (got.code == 0) {
      EXPECT_EQ(info.filesize, static_cast<std::int64_t>(c.bytes.size()));
    }
    if (c.check) c.check(info);
  }
}

// A format chunk of `size` bytes, its bytes counting up from 1.
std::string FormatBody(std::size_t size) {
  std::string body = PcmFormat();
  for (std::size_t i = body.size(); i < size; ++i) body += static_cast<char>(i);
  return body.substr(0, size);
}

TEST(ReadAudioInfoTest, Header) {
  const std::string minimal = Riff(Chunk("fmt ", FormatBody(14)));
  ASSERT_EQ(minimal.size(), 34U);
  std::string riffx = test::ValidWav();
  riffx.replace(0, 4, "RIFX");
  std::string lowerWave = test::ValidWav();
  lowerWave.replace(8, 4, "wave");
  const std::string chunks = Chunk("fmt ", PcmFormat()) + Chunk("data", kData4);
  const auto riffSize = static_cast<std::uint32_t>(chunks.size() + 4);

  RunCases({
      {"empty file", "", Fail(5, 0, "File too small")},
      {"33 bytes", minimal.substr(0, 33), Fail(5, 0, "File too small")},
      {"34 bytes", minimal, Pass(),
       [](const TAudioInfo& i) {
         EXPECT_EQ(i.format.formattype, TWAVFormatType::QV_WAVFormat);
         EXPECT_EQ(i.RIFFSize, 26U);
       }},
      {"lower-case riff", Riff(chunks, "riff"),
       Fail(6, 8, "No \"RIFF\" or \"RF64\" ID")},
      {"RIFX", riffx, Fail(6, 8, "No \"RIFF\" or \"RF64\" ID")},
      {"RIFF size + 8 is the file length", RiffWithSize(chunks, riffSize),
       Pass()},
      {"RIFF size one more", RiffWithSize(chunks, riffSize + 1),
       Fail(7, 8, "RIFF chunk larger than file size")},
      {"RIFF size shorter than the contents", RiffWithSize(chunks, 4), Pass()},
      {"RIFF size 0xFFFFFFFF", RiffWithSize(chunks, 0xFFFFFFFF),
       Fail(7, 8, "RIFF chunk larger than file size")},
      {"lower-case wave", lowerWave, Fail(8, 12, "No \"WAVE\" ID")},
  });
}

TEST(ReadAudioInfoTest, FormatChunkSizes) {
  using enum TWAVFormatType;
  struct SizeCase {
    std::size_t size;
    TWAVFormatType type;
    std::size_t extra;
  };
  for (const SizeCase& c :
       std::vector<SizeCase>{{14, QV_WAVFormat, 0},
                             {15, QV_WAVFormat, 0},
                             {16, QV_WAVFormatExPCM, 0},
                             {17, QV_WAVFormatExPCM, 0},
                             {18, QV_WAVFormatExCompressed, 0},
                             {39, QV_WAVFormatExCompressed, 0},
                             {40, QV_WAVFormatExtensible, 0},
                             {41, QV_WAVFormatExtensible, 1},
                             {100, QV_WAVFormatExtensible, 60}}) {
    SCOPED_TRACE(c.size);
    const std::string fmt = Chunk("fmt ", FormatBody(c.size));
    TAudioInfo info;
    // The data chunk lands where it should only if the pad byte was skipped.
    EXPECT_EQ(Inspect(Riff(fmt + Chunk("data", kData4)), info).code, 0);
    EXPECT_EQ(info.format.formattype, c.type);
    EXPECT_EQ(info.format.formatextradata.size(), c.extra);
    EXPECT_EQ(info.dataposition,
              static_cast<std::int64_t>(12 + fmt.size() + 8));
    EXPECT_EQ(info.format.formatname, "PCM");
    if (c.extra > 0) {
      EXPECT_EQ(info.format.formatextradata[0], 40);
    }
  }
}

TEST(ReadAudioInfoTest, FormatChunkContents) {
  std::string fifteen = FormatBody(15);
  fifteen[14] = '\x18';
  RunCases({
      {"13-byte format body", Riff(Chunk("fmt ", FormatBody(13))),
       Fail(9, 20, "Format chunk too small")},
      {"format chunk past the end",
       Riff(ChunkHeader("fmt ", 100) + FormatBody(16)),
       Fail(10, 20, "fmt  chunk too big")},
      {"format chunk past the end with a size below 14",
       Riff(Chunk("junk", std::string(10, 'j')) + ChunkHeader("fmt ", 10) +
            "abcde"),
       Fail(10, 38, "fmt  chunk too big")},
      {"14-byte body leaves bits 0", Riff(Chunk("fmt ", FormatBody(14))),
       Pass(),
       [](const TAudioInfo& i) { EXPECT_EQ(i.format.formatinfo.bits(), 0); }},
      {"15-byte body sets the low byte of bits", Riff(Chunk("fmt ", fifteen)),
       Pass(),
       [](const TAudioInfo& i) {
         EXPECT_EQ(i.format.formatinfo.bits(), 0x18);
       }},
      {"PCM fields", Riff(Chunk("fmt ", PcmFormat(6, 96000, 32))), Pass(),
       [](const TAudioInfo& i) {
         const auto& f = i.format.formatinfo;
         EXPECT_EQ(f.tag(), 1);
         EXPECT_EQ(f.channels(), 6);
         EXPECT_EQ(f.fs(), 96000U);
         EXPECT_EQ(f.byterate(), 96000U * 24);
         EXPECT_EQ(f.align(), 24);
         EXPECT_EQ(f.bits(), 32);
       }},
      {"a later, shorter format chunk overwrites only the leading bytes",
       Riff(Chunk("fmt ", test::ExtensibleFormat(3, 0, 0x10)) +
            Chunk("fmt ", PcmFormat())),
       Pass(),
       [](const TAudioInfo& i) {
         EXPECT_EQ(i.format.formatname, "PCM");
         EXPECT_EQ(i.format.formatinfo.GUID().D3, 0x10);
         EXPECT_EQ(i.format.formatinfo.channelmask(), 3U);
         EXPECT_TRUE(i.format.formatfloatingpoint);
         EXPECT_EQ(i.format.formattype, TWAVFormatType::QV_WAVFormatExPCM);
       }},
      {"flags stay set",
       Riff(Chunk("fmt ", Le16(2) + FormatBody(16).substr(2)) +
            Chunk("fmt ", PcmFormat())),
       Pass(),
       [](const TAudioInfo& i) {
         EXPECT_EQ(i.format.formatname, "PCM");
         EXPECT_TRUE(i.format.formatcompressed);
       }},
      {"a format chunk after the data chunk",
       Riff(Chunk("data", kData4) + Chunk("fmt ", PcmFormat())), Pass(),
       [](const TAudioInfo& i) { EXPECT_EQ(i.format.formatname, "PCM"); }},
  });
}

TEST(DescribeFormatTest, NamesAndFlags) {
  struct TagCase {
    std::uint16_t tag;
    const char* name;
    bool compressed;
    bool floating;
  };
  for (const TagCase& c :
       std::vector<TagCase>{{1, "PCM", false, false},
                            {2, "ADPCM", true, false},
                            {3, "IEEE FLOAT", false, true},
                            {6, "ALAW", false, false},
                            {7, "MULAW", false, false},
                            {0x11, "IMA ADPCM", true, false},
                            {0x50, "MPEG", true, false},
                            {0x55, "MP3", true, false},
                            {0xFFFE, "WAV EXTENSIBLE", false, false},
                            {0, "UNKNOWN FORMAT TAG", false, false},
                            {4, "UNKNOWN FORMAT TAG", false, false}}) {
    SCOPED_TRACE(c.name);
    TAudioInfo info;
    info.format.formatinfo.raw[0] = static_cast<std::uint8_t>(c.tag & 0xFF);
    info.format.formatinfo.raw[1] = static_cast<std::uint8_t>(c.tag >> 8);
    DescribeFormat(info);
    EXPECT_EQ(info.format.formatname, c.name);
    EXPECT_EQ(info.format.formatcompressed, c.compressed);
    EXPECT_EQ(info.format.formatfloatingpoint, c.floating);
  }
}

TEST(DescribeFormatTest, ExtensibleSubFormat) {
  struct GuidCase {
    const char* name;
    std::string body;
    const char* formatname;
  };
  const std::string shortExtensible = Le16(0xFFFE) + FormatBody(18).substr(2);
  for (const GuidCase& c : std::vector<GuidCase>{
           {"float GUID", test::ExtensibleFormat(3, 0, 0x10), "IEEE FLOAT"},
           {"PCM GUID, high word of D1 ignored",
            test::ExtensibleFormat(0xABCD0001, 0, 0x10), "PCM"},
           {"D3 0x0011", test::ExtensibleFormat(3, 0, 0x11), "WAV EXTENSIBLE"},
           {"D2 not 0", test::ExtensibleFormat(3, 1, 0x10), "WAV EXTENSIBLE"},
           {"18-byte extensible", shortExtensible, "WAV EXTENSIBLE"}}) {
    SCOPED_TRACE(c.name);
    TAudioInfo info;
    ASSERT_EQ(Inspect(Riff(Chunk("fmt ", c.body)), info).code, 0);
    EXPECT_EQ(info.format.formatname, c.formatname);
  }
}

TEST(ReadAudioInfoTest, ChunkWalk) {
  const std::string fmt = Chunk("fmt ", PcmFormat());
  const std::string oddEnd = Riff(fmt + ChunkHeader("junk", 3) + "abc");
  RunCases({
      {"data chunk too big", Riff(fmt + ChunkHeader("data", 100) + kData4),
       Fail(10, 44, "data chunk too big")},
      {"LIST chunk too big", Riff(fmt + ChunkHeader("LIST", 100) + kData4),
       Fail(10, 44, "LIST chunk too big")},
      {"id beginning with a zero byte",
       Riff(fmt + ChunkHeader(std::string("\0abc", 4), 100) + kData4),
       Fail(10, 44, " chunk too big")},
      {"id cut at its zero byte",
       Riff(fmt + ChunkHeader(std::string("ab\0c", 4), 100) + kData4),
       Fail(10, 44, "ab chunk too big")},
      {"id bytes in the 8-bit code page",
       Riff(fmt + ChunkHeader("\x80\xE9\x81z", 100) + kData4),
       Fail(10, 44, "\u20AC\u00E9\u0081z chunk too big")},
      {"body ends at the end of the file, pad byte missing", oddEnd, Pass()},
      {"one byte more", Riff(fmt + ChunkHeader("junk", 4) + "abc"),
       Fail(10, 44, "junk chunk too big")},
      {"data chunk of 0xFFFFFFFF in a RIFF file",
       Riff(fmt + ChunkHeader("data", 0xFFFFFFFF) + kData4),
       Fail(10, 44, "data chunk too big")},
      {"no format and no data chunk",
       Riff(Chunk("junk", std::string(30, 0x6A))), Pass(),
       [](const TAudioInfo& i) {
         EXPECT_EQ(i.format.formattype, TWAVFormatType::QV_None);
         EXPECT_EQ(i.format.formatname, "");
         EXPECT_EQ(i.dataposition, 0);
         EXPECT_EQ(i.datasize, 0);
       }},
      {"upper-case ids mean nothing",
       Riff(Chunk("FMT ", PcmFormat()) + Chunk("DATA", kData4)), Pass(),
       [](const TAudioInfo& i) {
         EXPECT_EQ(i.format.formattype, TWAVFormatType::QV_None);
         EXPECT_EQ(i.datasize, 0);
       }},
      {"two data chunks: the second counts",
       Riff(fmt + Chunk("data", kData4) + Chunk("data", "ab")), Pass(),
       [](const TAudioInfo& i) {
         EXPECT_EQ(i.dataposition, 12 + 24 + 12 + 8);
         EXPECT_EQ(i.datasize, 2);
       }},
  });
}

TEST(ReadAudioInfoTest, Tail) {
  const std::string valid = test::ValidWav();
  std::string shortRiff = RiffWithSize(Chunk("fmt ", PcmFormat()), 28);
  RunCases({
      {"8-byte tail with a large size", valid + ChunkHeader("junk", 1000000),
       Pass()},
      {"1-byte tail", valid + "x", Pass()},
      {"9-byte tail, size 0", valid + ChunkHeader("junk", 0) + "x", Pass()},
      {"9-byte tail, size 1", valid + ChunkHeader("junk", 1) + "x", Pass()},
      {"9-byte tail, size 2", valid + ChunkHeader("junk", 2) + "x",
       Fail(10, static_cast<std::int64_t>(valid.size() + 8),
            "junk chunk too big")},
      {"zero bytes of any length", valid + std::string(101, '\0'), Pass()},
      {"well-formed chunks after the RIFF size",
       shortRiff + Chunk("data", kData4), Pass(),
       [](const TAudioInfo& i) { EXPECT_EQ(i.datasize, 4); }},
      {"junk after the RIFF size", shortRiff + "trailing junk bytes",
       Fail(10, 44, "trai chunk too big")},
  });
}

TEST(ReadAudioInfoTest, Names) {
  struct NameCase {
    const char* file;
    Outcome expected;
    const char* fileext;
  };
  const Outcome noExtension = Fail(4, 0, "No \".WAV\" extension");
  for (const NameCase& c :
       std::vector<NameCase>{{"a.wav", Pass(), ".WAV"},
                             {"a.WAV", Pass(), ".WAV"},
                             {"a.Wav", Pass(), ".WAV"},
                             {".wav", Pass(), ".WAV"},
                             {"noext", noExtension, ""},
                             {"dot.", noExtension, "."},
                             {"a.wav.bak", noExtension, ".BAK"},
                             {"a.w\xC3\xA4v", noExtension, ".W\xC3\xA4V"}}) {
    SCOPED_TRACE(c.file);
    TAudioInfo info;
    const Outcome got = Inspect(test::ValidWav(), info, c.file);
    EXPECT_EQ(got.code, c.expected.code);
    EXPECT_EQ(got.message, c.expected.message);
    EXPECT_EQ(info.fileext, c.fileext);
  }
}

TEST(ReadAudioInfoTest, MissingPathsFailBeforeTheExtension) {
  test::TempDir dir;
  for (const auto& path :
       {dir.path() / "missing.txt", dir.MakeDir("folder.wav")}) {
    SCOPED_TRACE(path.string());
    TAudioInfo info;
    try {
      ReadAudioInfo(info, path);
      ADD_FAILURE() << "no error";
    } catch (const EWavFileError& e) {
      EXPECT_EQ(e.ErrorCode(), 1);
      EXPECT_EQ(e.Pos(), 0);
      EXPECT_STREQ(e.what(), "File doesn't exist");
    }
    EXPECT_EQ(info.fileName, path);
    EXPECT_EQ(info.fileext, "");
  }
}

// What the record holds after each kind of failure.
TEST(ReadAudioInfoTest, RecordAfterFailure) {
  TAudioInfo info;
  Inspect("short", info);
  EXPECT_EQ(info.fileext, ".WAV");
  EXPECT_EQ(info.filesize, 5);
  EXPECT_EQ(info.RIFFSize, 0U);

  const std::string fmt = Chunk("fmt ", test::ExtensibleFormat(3, 0, 0x10));
  Inspect(RiffWithSize(fmt, 1000), info);
  EXPECT_EQ(info.RIFFSize, 1000U);
  EXPECT_EQ(info.format.formattype, TWAVFormatType::QV_None);

  Inspect(Riff(Chunk("data", kData4) + fmt + ChunkHeader("LIST", 99)), info);
  EXPECT_EQ(info.format.formatname, "IEEE FLOAT");
  EXPECT_EQ(info.datasize, 4);
  EXPECT_EQ(info.dataposition, 20);
}

TEST(ReadAudioInfoTest, EachCallStartsFromAResetRecord) {
  TAudioInfo info;
  const std::string rich =
      Chunk("fmt ", test::ExtensibleFormat(3, 0, 0x10) + "xy");
  ASSERT_EQ(Inspect(Riff(rich + Chunk("data", kData4)), info).code, 0);
  ASSERT_EQ(info.format.formatextradata.size(), 2U);
  ASSERT_EQ(Inspect(Riff(Chunk("junk", std::string(30, 0x6A))), info).code, 0);
  EXPECT_TRUE(info.format.formatextradata.empty());
  EXPECT_EQ(info.format.formatname, "");
  EXPECT_FALSE(info.format.formatfloatingpoint);
  EXPECT_FALSE(info.format.formatcompressed);
  EXPECT_EQ(info.format.formatinfo.raw, TWavFormatExtensibleInfo{}.raw);
  EXPECT_EQ(info.datasize, 0);
}

// RF64 and BW64: a ds64 chunk gives the sizes that 0xFFFFFFFF stands for.
std::string Ds64(std::uint64_t riff, std::uint64_t data,
                 const std::string& table = "", std::uint32_t entries = 0) {
  return Chunk("ds64",
               Le64(riff) + Le64(data) + Le64(0) + Le32(entries) + table);
}

std::string Rf64(const std::string& chunksAfterDs64, std::uint64_t data,
                 std::int64_t riffDelta = 0, const std::string& table = "",
                 std::uint32_t entries = 0, const char* id = "RF64") {
  const std::size_t ds64Size = Ds64(0, 0, table).size();
  const std::uint64_t riff = 4 + ds64Size + chunksAfterDs64.size() + riffDelta;
  return RiffWithSize(Ds64(riff, data, table, entries) + chunksAfterDs64,
                      0xFFFFFFFF, id);
}

TEST(ReadAudioInfoTest, Rf64) {
  const std::string fmt = Chunk("fmt ", PcmFormat());
  const std::string data = ChunkHeader("data", 0xFFFFFFFF) + kData4;
  const std::string junkEntry = "junk" + Le64(6);
  const std::string withJunk =
      fmt + ChunkHeader("junk", 0xFFFFFFFF) + "abcdef" + data;
  const std::string riffFile =
      RiffWithSize(Ds64(60, 4) + fmt + data, 0xFFFFFFFF);
  std::string shortDs64 = Rf64(fmt + data, 4);
  shortDs64.replace(16, 4, Le32(20));
  const auto dataIs4 = [](const TAudioInfo& i) {
    EXPECT_EQ(i.datasize, 4);
    EXPECT_EQ(i.RIFFSize, 0xFFFFFFFFU);
  };
  RunCases({
      {"RF64 with ds64", Rf64(fmt + data, 4), Pass(), dataIs4},
      {"BW64 with ds64", Rf64(fmt + data, 4, 0, "", 0, "BW64"), Pass(),
       dataIs4},
      {"BW64 plain", Riff(fmt + Chunk("data", kData4), "BW64"), Pass()},
      {"ds64 RIFF size past the end", Rf64(fmt + data, 4, 1),
       Fail(7, 8, "RIFF chunk larger than file size")},
      {"ds64 data size past the end", Rf64(fmt + data, 5),
       Fail(10, 12 + 36 + 24 + 8, "data chunk too big")},
      {"ds64 data size near 2^64", Rf64(fmt + data, ~0ULL),
       Fail(10, 12 + 36 + 24 + 8, "data chunk too big")},
      {"RF64 without ds64", RiffWithSize(fmt + data, 0xFFFFFFFF, "RF64"),
       Fail(7, 8, "RIFF chunk larger than file size")},
      {"ds64 shorter than 28 bytes", shortDs64,
       Fail(7, 8, "RIFF chunk larger than file size")},
      {"a RIFF file never reads ds64", riffFile,
       Fail(7, 8, "RIFF chunk larger than file size")},
      {"a table entry sizes another chunk", Rf64(withJunk, 4, 0, junkEntry, 1),
       Pass(), dataIs4},
      {"a table entry beyond the body is not used",
       Rf64(withJunk, 4, 0, junkEntry, 2), Pass(), dataIs4},
      {"no table entry for the id", Rf64(withJunk, 4),
       Fail(10, 12 + 36 + 24 + 8, "junk chunk too big")},
      {"a 32-bit size other than 0xFFFFFFFF is kept",
       RiffWithSize(Ds64(~0ULL, ~0ULL) + fmt + Chunk("data", kData4),
                    4 + 36 + 24 + 12, "RF64"),
       Pass(), [](const TAudioInfo& i) { EXPECT_EQ(i.datasize, 4); }},
  });
}

}  // namespace
}  // namespace brevolt

namespace brevolt {
namespace {

// A format chunk that claims gigabytes and lies inside a sparse file: the
// extra part is not held, and the walk goes on from the chunk's end.
TEST(ReadAudioInfoTest, HugeFormatChunkIsNotHeldInMemory) {
  test::TempDir dir;
  constexpr std::uint32_t kHuge = 0xC0000001;  // 3 GiB and odd
  const std::string head = RiffWithSize(
      ChunkHeader("fmt ", kHuge) + test::ExtensibleFormat(1, 0, 0x10), 0);
  const auto path = dir.Write("big.wav", head);
  const std::string tail = Chunk("data", kData4);
  const auto tailAt = static_cast<std::uintmax_t>(20) + kHuge + 1;
  std::filesystem::resize_file(path, tailAt);
  {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << tail;
  }
  TAudioInfo info;
  ASSERT_NO_THROW(ReadAudioInfo(info, path));
  EXPECT_EQ(info.format.formattype, TWAVFormatType::QV_WAVFormatExtensible);
  EXPECT_EQ(info.format.formatname, "PCM");
  EXPECT_TRUE(info.format.formatextradata.empty());
  EXPECT_EQ(info.dataposition, static_cast<std::int64_t>(tailAt + 8));

  // The largest extra part that is held is held whole.
  const std::string kept(static_cast<std::size_t>(kMaxFormatExtraBytes), 'e');
  ASSERT_EQ(
      Inspect(Riff(Chunk("fmt ", test::ExtensibleFormat(1, 0, 0x10) + kept)),
              info)
          .code,
      0);
  EXPECT_EQ(info.format.formatextradata.size(), kept.size());
}

}  // namespace
}  // namespace brevolt

namespace brevolt {
namespace {

// Zero bytes read as empty chunks. A long run of them, as in a preallocated
// recording never filled, is passed in blocks: the result is the same as
// reading every eight bytes, and the reads stay few.
TEST(ReadAudioStructureTest, LongRunsOfZeroBytes) {
  struct ZeroCase {
    const char* name;
    std::string tail;    // after the run
    std::int64_t zeros;  // length of the run
    Outcome expected;
  };
  const std::string valid = test::ValidWav();
  const auto runEnd = [&](std::int64_t zeros) {
    return static_cast<std::int64_t>(valid.size()) + zeros;
  };
  const std::vector<ZeroCase> cases = {
      {"zeros to the end", "", 10'000'000, Pass()},
      {"zeros then 7 bytes", "abcdefg", 10'000'000, Pass()},
      {"zeros then a chunk", Chunk("data", "xy"), 1'000'000, Pass()},
      {"zeros then a broken chunk", ChunkHeader("LIST", 99) + "x", 1'000'000,
       Fail(10, runEnd(1'000'000) + 8, "LIST chunk too big")},
      {"run not a multiple of 8, then a chunk", Chunk("junk", "z"), 1'000'004,
       // the header after the run begins with its last four zeros
       Fail(10, runEnd(1'000'000) + 8, " chunk too big")},
  };
  for (const ZeroCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes =
        valid + std::string(static_cast<std::size_t>(c.zeros), '\0') + c.tail;
    test::MemorySource source(bytes);
    TAudioInfo info;
    Outcome got;
    try {
      ReadAudioStructure(info, source);
    } catch (const EWavFileError& e) {
      got = {e.ErrorCode(), e.Pos(), e.what()};
    }
    EXPECT_EQ(got.code, c.expected.code);
    EXPECT_EQ(got.position, c.expected.position);
    EXPECT_EQ(got.message, c.expected.message);
    EXPECT_LT(source.reads(), 200);
  }
}

}  // namespace
}  // namespace brevolt
