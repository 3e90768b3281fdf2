// The version text and the dotted-version-to-number rule.
#include "brevolt/version.h"

#include <vector>

#include "brevolt/errors.h"
#include "platform/platform.h"

namespace brevolt {
namespace {

bool IsSeparator(char c) { return c == '.' || c == '\r' || c == '\n'; }
bool IsSkippedSpace(char c) { return c == ' ' || c == '\r' || c == '\n'; }

// Splits at ".", CR and LF. Blanks and line breaks are skipped only where a
// piece begins; a quote opens a stretch in which separators are ordinary
// characters, up to the same quote again. Empty pieces are dropped.
std::vector<std::string_view> SplitVersion(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::vector<std::string_view> pieces;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSkippedSpace(text[i])) ++i;
    if (i == text.size()) break;
    const std::size_t start = i;
    while (i < text.size() && !IsSeparator(text[i])) {
      const char c = text[i++];
      if (c == '\'' || c == '"') {
        while (i < text.size() && text[i] != c) ++i;
        if (i < text.size()) ++i;  // the closing quote
      }
    }
    if (i > start) pieces.push_back(text.substr(start, i - start));
    if (i < text.size()) ++i;  // the separator
  }
  return pieces;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses a signed 32-bit integer: optional blanks and sign, then decimal
// digits or, after "$", "x", "X", "0x" or "0X", hexadecimal ones. The whole
// piece must be taken.
bool ParseInteger(std::string_view text, std::int32_t& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i++] == '-';
  }
  const auto at = [&](std::size_t k) {
    return k < text.size() ? text[k] : '\0';
  };
  bool hex = false;
  if (at(i) == '$' || at(i) == 'x' || at(i) == 'X') {
    hex = true;
    i += 1;
  } else if (at(i) == '0' && (at(i + 1) == 'x' || at(i + 1) == 'X')) {
    hex = true;
    i += 2;
  }
  // Accumulated in unsigned arithmetic and read back as signed, so an
  // overflow wraps as two's complement instead of being undefined.
  std::uint32_t acc = 0;
  const auto signedAcc = [&] { return static_cast<std::int32_t>(acc); };
  std::size_t digits = 0;
  if (hex) {
    for (; i < text.size() && HexDigit(text[i]) >= 0; ++i, ++digits) {
      if (signedAcc() < 0 || acc > 0x0FFFFFFF) break;
      acc = acc * 16 + static_cast<std::uint32_t>(HexDigit(text[i]));
    }
    if (negative) acc = 0U - acc;
  } else {
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
      if (signedAcc() < 0 || acc > 214748364) break;
      acc = acc * 10 + static_cast<std::uint32_t>(text[i] - '0');
    }
    if (negative) acc = 0U - acc;
    if (signedAcc() != 0 && (signedAcc() < 0) != negative) return false;
  }
  if (digits == 0 || i != text.size()) return false;
  value = signedAcc();
  return true;
}

}  // namespace

std::string FormatVersion(const TFileVersion& Version) {
  return std::to_string(Version.major) + "." + std::to_string(Version.minor) +
         "." + std::to_string(Version.build);
}

std::string GetAppVersion() {
  TFileVersion version;
  if (!platform::ExecutableFileVersion(version)) return {};
  return FormatVersion(version);
}

std::int32_t VersionToNumber(std::string_view VersionText) {
  std::uint32_t result = 0;
  for (const std::string_view piece : SplitVersion(VersionText)) {
    std::int32_t value = 0;
    if (!ParseInteger(piece, value)) {
      throw EConvertError("'" + std::string(piece) +
                          "' is not a valid integer value for Integer type");
    }
    result = result * 1000 + static_cast<std::uint32_t>(value);
  }
  return static_cast<std::int32_t>(result);
}

}  // namespace brevolt
