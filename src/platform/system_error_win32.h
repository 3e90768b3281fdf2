// The system's text for a Win32 error code, and UTF-8 / UTF-16 conversion.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace brevolt::platform {

inline std::string WideToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(),
                                         static_cast<int>(text.size()), nullptr,
                                         0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                        out.data(), size, nullptr, nullptr);
  return out;
}

// Text in the 8-bit code page `codePage` as UTF-16.
inline std::wstring CodePageToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = ::MultiByteToWideChar(
      codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                        out.data(), size);
  return out;
}

inline std::wstring Utf8ToWide(std::string_view text) {
  return CodePageToWide(CP_UTF8, text);
}

// The system's description of `error`, without the full stops, blanks and
// line breaks that FormatMessageW puts at its end.
inline std::string Win32ErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer != nullptr ? buffer : L"", length);
  if (buffer != nullptr) ::LocalFree(buffer);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.'))
    text.pop_back();
  if (text.empty()) return "Error " + std::to_string(error);
  return WideToUtf8(text);
}

}  // namespace brevolt::platform
