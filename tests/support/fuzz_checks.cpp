#include "support/fuzz_checks.h"

#include <cstdlib>
#include <string>

#include "brevolt/audio_file.h"
#include "brevolt/errors.h"
#include "brevolt/version.h"
#include "support/memory_source.h"

namespace brevolt::test {
namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

void CheckAudioBytes(const std::uint8_t* data, std::size_t size) {
  MemorySource source(std::string(reinterpret_cast<const char*>(data), size));
  TAudioInfo info;
  const auto filesize = static_cast<std::int64_t>(size);
  try {
    ReadAudioStructure(info, source);
  } catch (const EWavFileError& e) {
    Require(e.ErrorCode() >= 5 && e.ErrorCode() <= 10);
    Require(e.Pos() >= 0 && e.Pos() <= filesize);
    return;
  }
  Require(info.filesize == filesize);
  Require(info.dataposition >= 0 && info.datasize >= 0);
  Require(info.dataposition + info.datasize <= filesize);
  Require(info.format.formatextradata.size() <=
          static_cast<std::size_t>(kMaxFormatExtraBytes));
}

void CheckVersionText(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::int32_t first = 0;
  bool failed = false;
  try {
    first = VersionToNumber(text);
  } catch (const EConvertError&) {
    failed = true;
  }
  if (!failed) {
    Require(VersionToNumber(text) == first);
    return;
  }
  try {
    VersionToNumber(text);
  } catch (const EConvertError&) {
    return;
  }
  std::abort();
}

}  // namespace brevolt::test
