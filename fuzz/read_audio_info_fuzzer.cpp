// libFuzzer target: the WAV structure reader over arbitrary bytes.
#include "support/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  brevolt::test::CheckAudioBytes(data, size);
  return 0;
}
