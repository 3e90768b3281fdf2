// Path text on POSIX systems: bytes, with "/" as the only separator.
#include "platform/platform.h"

namespace brevolt::platform {

std::string ExtensionOf(const std::filesystem::path& path) {
  const std::string& text = path.native();
  const auto dot = text.find_last_of("./");
  if (dot == std::string::npos || text[dot] != '.') return {};
  return text.substr(dot);
}

std::string NativeToUtf8(const NativeString& text) { return text; }

NativeString Utf8ToNative(std::string_view text) { return NativeString(text); }

}  // namespace brevolt::platform
