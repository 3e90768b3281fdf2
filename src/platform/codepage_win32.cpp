// Text of 8-bit bytes in the system's ANSI code page.
#include <windows.h>

#include "platform/platform.h"
#include "platform/system_error_win32.h"

namespace brevolt::platform {

std::string AnsiToUtf8(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = ::MultiByteToWideChar(
      CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                        wide.data(), size);
  return WideToUtf8(wide);
}

}  // namespace brevolt::platform
