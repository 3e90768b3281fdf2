// libFuzzer target: the dotted-version-to-number rule over arbitrary text.
#include "support/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  brevolt::test::CheckVersionText(data, size);
  return 0;
}
