// Services of the operating system that the core needs, one implementation
// per platform (the *_posix.cpp or *_win32.cpp files, chosen by the build).
// Nothing here exposes an OS header.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "brevolt/audio_file.h"
#include "brevolt/directory_lister.h"
#include "brevolt/version.h"

namespace brevolt::platform {

// The separator that the walker puts between a folder and a name.
#ifdef _WIN32
inline constexpr NativeChar kPathSeparator = L'\\';
#else
inline constexpr NativeChar kPathSeparator = '/';
#endif

// True only for an existing regular file; a symbolic link is judged by its
// target. Folders, FIFOs, sockets and devices are not files.
bool FileExists(const std::filesystem::path& path);

// The part of `path` from its last dot to the end, unless a path separator
// follows that dot; empty otherwise. UTF-8.
std::string ExtensionOf(const std::filesystem::path& path);

// Opens an existing regular file for reading only, never for writing,
// sharing it with readers but not writers. Returns null when `path` is not
// an existing regular file (the same test as FileExists, made on the opened
// file so that it costs no second lookup and cannot be raced). Raises
// EFOpenError with the system's reason when the file exists but cannot be
// opened.
std::unique_ptr<ByteSource> OpenExistingFile(const std::filesystem::path& path);

// Text of bytes in the system's 8-bit code page (Windows-1252 on POSIX),
// as UTF-8.
std::string AnsiToUtf8(std::string_view bytes);

// The file version of the running executable; raises EOSError as
// GetAppVersion does. Returns false when the version can't be read.
bool ExecutableFileVersion(TFileVersion& version);

// Converts between native path text and UTF-8. On POSIX both are the same
// bytes, so a name that is not valid UTF-8 passes through unchanged.
std::string NativeToUtf8(const NativeString& text);
NativeString Utf8ToNative(std::string_view text);

// A file created for writing (an existing one is truncated), not shared.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Writes all bytes or raises EWriteError ("Stream write error").
  virtual void Write(std::string_view bytes) = 0;
};

// Raises EFCreateError: "Cannot create file "<path>". <reason>".
std::unique_ptr<WritableFile> CreateWritableFile(
    const std::filesystem::path& path);

}  // namespace brevolt::platform

namespace brevolt::platform {

// The program's arguments as UTF-8 (on Windows read from the wide command
// line, so names outside the ANSI code page survive).
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// True when standard error goes to a terminal.
bool StandardErrorIsTerminal();

// Columns of the terminal on standard error; 80 when it can't be told.
int TerminalColumns();

// Makes Ctrl-C set `flag` instead of ending the process.
void InterruptSetsFlag(std::atomic<bool>& flag);

}  // namespace brevolt::platform
