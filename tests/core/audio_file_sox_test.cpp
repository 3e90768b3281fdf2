// The reader on files that sox writes, as a recorder or editor would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "brevolt/audio_file.h"
#include "support/temp_dir.h"

namespace brevolt {
namespace {

TEST(ReadAudioInfoTest, FilesMadeBySox) {
  if (std::system("command -v sox >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "no sox";
  struct SoxCase {
    const char* options;
    const char* formatname;
    std::uint16_t channels;
  };
  test::TempDir dir;
  for (const SoxCase& c :
       std::vector<SoxCase>{{"-b 16 -c 2", "PCM", 2},
                            {"-b 24 -c 2", "PCM", 2},
                            {"-b 8 -c 1", "PCM", 1},
                            {"-e floating-point -b 32 -c 2", "IEEE FLOAT", 2},
                            {"-e a-law -c 1", "ALAW", 1},
                            {"-e u-law -c 1", "MULAW", 1},
                            {"-e ima-adpcm -c 1", "IMA ADPCM", 1},
                            {"-e ms-adpcm -c 1", "ADPCM", 1},
                            {"-b 16 -c 6", "PCM", 6}}) {
    SCOPED_TRACE(c.options);
    const auto path = dir.path() / "sox.wav";
    const std::string command = std::string("sox -q -n -r 44100 ") + c.options +
                                " '" + path.string() + "' synth 0.05 sine 440";
    ASSERT_EQ(std::system(command.c_str()), 0);
    TAudioInfo info;
    ASSERT_NO_THROW(ReadAudioInfo(info, path));
    EXPECT_EQ(info.format.formatname, c.formatname);
    EXPECT_EQ(info.format.formatinfo.channels(), c.channels);
    EXPECT_EQ(info.format.formatinfo.fs(), 44100U);
    EXPECT_GT(info.datasize, 0);
    EXPECT_LE(info.dataposition + info.datasize, info.filesize);
  }
}

}  // namespace
}  // namespace brevolt
