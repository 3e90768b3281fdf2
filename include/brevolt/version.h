// The program's version text and the dotted-version-to-number rule.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brevolt {

// The four numbers of a file version, most significant first.
struct TFileVersion {
  std::uint16_t major = 0;
  std::uint16_t minor = 0;
  std::uint16_t release = 0;
  std::uint16_t build = 0;
};

// "major.minor.build": the third number is not shown, so 2.1.0.1 is "2.1.1".
std::string FormatVersion(const TFileVersion& Version);

// The running program's version text, read from its executable. Raises
// EOSError when the executable carries no version information; returns the
// empty text when it cannot be read.
std::string GetAppVersion();

// Turns a dotted version text into one number, base 1000 per piece with
// 32-bit wrap-around: "2.1.1" is 2001001. Raises EConvertError for a piece
// that is not an integer.
std::int32_t VersionToNumber(std::string_view VersionText);

}  // namespace brevolt
