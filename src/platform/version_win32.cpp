// The executable's own version resource.
#include <windows.h>

#include <vector>

#include "brevolt/errors.h"
#include "platform/platform.h"
#include "platform/system_error_win32.h"

namespace brevolt::platform {

bool ExecutableFileVersion(TFileVersion& version) {
  wchar_t path[MAX_PATH + 1] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path, &handle);
  if (size == 0) {
    const DWORD error = ::GetLastError();
    if (error == 0) throw EOSError("A call to an OS function failed");
    throw EOSError("System Error.  Code: " + std::to_string(error) + ".\n" +
                   Win32ErrorText(error));
  }
  std::vector<std::uint8_t> buffer(size);
  if (!::GetFileVersionInfoW(path, handle, size, buffer.data())) return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(buffer.data(), L"\\", reinterpret_cast<void**>(&fixed),
                        &length) ||
      fixed == nullptr) {
    return false;
  }
  version = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
             HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
  return true;
}

}  // namespace brevolt::platform
