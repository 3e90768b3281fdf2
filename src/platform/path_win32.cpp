// Path text on Windows: UTF-16, with "\" and ":" ending a name's extension.
#include "platform/platform.h"
#include "platform/system_error_win32.h"

namespace brevolt::platform {

std::string ExtensionOf(const std::filesystem::path& path) {
  const std::wstring& text = path.native();
  const auto dot = text.find_last_of(L".\\:");
  if (dot == std::wstring::npos || text[dot] != L'.') return {};
  return WideToUtf8(std::wstring_view(text).substr(dot));
}

std::string NativeToUtf8(const NativeString& text) { return WideToUtf8(text); }

NativeString Utf8ToNative(std::string_view text) { return Utf8ToWide(text); }

}  // namespace brevolt::platform
