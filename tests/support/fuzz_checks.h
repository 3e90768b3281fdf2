// What the fuzzers check on each input, shared with the regression test that
// runs every input that ever failed. Each returns normally or aborts.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brevolt::test {

// The reader over arbitrary bytes: it either passes with a record that lies
// inside the file, or raises EWavFileError with a known code and a position
// inside the file. Nothing else may escape.
void CheckAudioBytes(const std::uint8_t* data, std::size_t size);

// VersionToNumber over arbitrary text: a number or EConvertError, the same
// every time.
void CheckVersionText(const std::uint8_t* data, std::size_t size);

}  // namespace brevolt::test
