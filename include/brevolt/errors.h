// Error types shared by the core, the platform layer and their users.
//
// A structural failure of a WAV file is an EWavFileError (see audio_file.h).
// Everything else that can go wrong is one of the types below, each carrying
// the message the user is shown, built from the system's own text.
#pragma once

#include <stdexcept>
#include <string>

namespace brevolt {

// A file could not be opened for reading: "Cannot open file "<path>". <why>".
class EFOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file could not be read after it was opened (it shrank, or the device
// failed): "Cannot read file "<path>". <why>".
class EReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file could not be created for writing: "Cannot create file "<path>".
// <why>".
class EFCreateError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A write to an open file failed: "Stream write error".
class EWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An operating-system call failed: "System Error.  Code: <n>.\n<description>",
// or "A call to an OS function failed" when the system gave no code.
class EOSError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text is not a number: "'<text>' is not a valid integer value for Integer
// type".
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace brevolt
