// Case rules that touch only the ASCII letters: every other character,
// whatever its encoding, is compared and kept exactly.
#pragma once

#include <string>
#include <string_view>

namespace brevolt {

template <typename Char>
constexpr Char FoldAscii(Char c) {
  return c >= 'a' && c <= 'z' ? static_cast<Char>(c - 'a' + 'A') : c;
}

template <typename Char>
std::basic_string<Char> UpperAscii(std::basic_string<Char> text) {
  for (Char& c : text) c = FoldAscii(c);
  return text;
}

template <typename Char>
bool EqualsIgnoringAsciiCase(std::basic_string_view<Char> a,
                             std::basic_string_view<Char> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace brevolt
