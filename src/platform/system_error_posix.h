// The system's text for an errno value.
#pragma once

#include <cstring>
#include <string>

namespace brevolt::platform {

inline std::string PosixErrorText(int error) {
  char buffer[256] = {};
  // GNU strerror_r may return a static string instead of filling the buffer.
  return ::strerror_r(error, buffer, sizeof buffer);
}

}  // namespace brevolt::platform
