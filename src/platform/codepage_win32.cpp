// Text of 8-bit bytes in the system's ANSI code page.
#include <windows.h>

#include "platform/platform.h"
#include "platform/system_error_win32.h"

namespace brevolt::platform {

std::string AnsiToUtf8(std::string_view bytes) {
  return WideToUtf8(CodePageToWide(CP_ACP, bytes));
}

}  // namespace brevolt::platform
