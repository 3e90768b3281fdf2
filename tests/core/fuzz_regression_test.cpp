// Every input a fuzzer ever failed on, run again with the fuzzers' checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/fuzz_checks.h"

namespace brevolt {
namespace {

void RunFolder(const char* name,
               void (*check)(const std::uint8_t*, std::size_t)) {
  const auto folder = std::filesystem::path(BREVOLT_FUZZ_REGRESSIONS) / name;
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_regular_file() || entry.path().filename() == "README")
      continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ++inputs;
  }
  EXPECT_GT(inputs, 0) << folder.string();
}

TEST(FuzzRegressionTest, ReadAudioInfo) {
  RunFolder("read_audio_info", test::CheckAudioBytes);
}

TEST(FuzzRegressionTest, VersionToNumber) {
  RunFolder("version_to_number", test::CheckVersionText);
}

}  // namespace
}  // namespace brevolt
