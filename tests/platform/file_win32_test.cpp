// The Win32 file services, under Wine in CI.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>

#include "brevolt/audio_file.h"
#include "brevolt/errors.h"
#include "brevolt/version.h"
#include "platform/platform.h"
#include "support/temp_dir.h"
#include "support/wav_builder.h"

namespace brevolt::platform {
namespace {

using test::TempDir;

TEST(FileExistsTest, FilesButNotFolders) {
  TempDir dir;
  EXPECT_TRUE(FileExists(dir.Write("a.wav", "x")));
  EXPECT_FALSE(FileExists(dir.MakeDir("d.wav")));
  EXPECT_FALSE(FileExists(dir.path() / "missing.wav"));
  EXPECT_FALSE(FileExists(L"NUL"));
}

TEST(ExtensionOfTest, EndsAtBackslashAndColon) {
  struct Case {
    const wchar_t* path;
    const char* extension;
  };
  for (const Case& c :
       std::vector<Case>{{L"C:\\a\\b.wav", ".wav"},
                         {L"C:\\a.d\\b", ""},
                         {L"C:\\a\\b.", "."},
                         {L"C:a.b:stream", ""},
                         {L"C:\\a\\.wav", ".wav"},
                         {L"C:\\a\\b.w\u00E4v", ".w\xC3\xA4v"}}) {
    EXPECT_EQ(ExtensionOf(c.path), c.extension);
  }
}

TEST(AnsiToUtf8Test, SystemCodePage) {
  ASSERT_EQ(::GetACP(), 1252U);  // Wine's default, as on Western Windows
  EXPECT_EQ(AnsiToUtf8("\x80\xE9z"), "\u20AC\u00E9z");
}

TEST(OpenExistingFileTest, AFileHeldOpenForWritingRaisesTheOpenError) {
  TempDir dir;
  const auto path = dir.Write("held.wav", test::ValidWav());
  const HANDLE writer = ::CreateFileW(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  TAudioInfo info;
  try {
    ReadAudioInfo(info, path);
    ADD_FAILURE() << "opened a file held for writing";
  } catch (const EWavFileError&) {
    ADD_FAILURE() << "a structural error instead of the open error";
  } catch (const EFOpenError& e) {
    const std::string expected =
        "Cannot open file \"" + NativeToUtf8(path.native()) + "\". ";
    EXPECT_EQ(std::string(e.what()).rfind(expected, 0), 0U) << e.what();
    EXPECT_GT(std::string(e.what()).size(), expected.size());
  }
  EXPECT_EQ(info.fileext, ".WAV");
  ::CloseHandle(writer);
  EXPECT_NO_THROW(ReadAudioInfo(info, path));
}

TEST(OpenExistingFileTest, OthersMayReadMeanwhile) {
  TempDir dir;
  const auto path = dir.Write("shared.wav", test::ValidWav());
  const auto file = OpenExistingFile(path);
  ASSERT_NE(file, nullptr);
  const HANDLE reader =
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  ::CloseHandle(reader);
  const HANDLE writer = ::CreateFileW(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

TEST(CreateWritableFileTest, ReplacesAndReportsFailure) {
  TempDir dir;
  const auto path = dir.Write("out.txt", "a much longer old content");
  CreateWritableFile(path)->Write("new\r\n");
  EXPECT_EQ(std::filesystem::file_size(path), 5U);
  const auto bad = dir.path() / "no" / "out.txt";
  try {
    CreateWritableFile(bad);
    ADD_FAILURE() << "created in a missing folder";
  } catch (const EFCreateError& e) {
    const std::string text = e.what();
    EXPECT_EQ(
        text.rfind(
            "Cannot create file \"" + NativeToUtf8(bad.native()) + "\". ", 0),
        0U);
    EXPECT_NE(text.back(), '.');  // the system's full stop is removed
    EXPECT_NE(text.back(), '\n');
  }
}

TEST(GetAppVersionTest, ReadsTheVersionResource) {
  EXPECT_EQ(GetAppVersion(), "2.1.1");
}

TEST(GetAppVersionTest, NoResourceRaisesTheSystemError) {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const auto probe =
      std::filesystem::path(self).parent_path() / BREVOLT_NO_VERSION_PROBE;
  const std::string command = "\"" + NativeToUtf8(probe.native()) + "\"";
  FILE* pipe = ::_popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  std::array<char, 256> buffer{};
  while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr)
    out += buffer.data();
  ::_pclose(pipe);
  EXPECT_TRUE(out.rfind("EOSError: System Error.  Code: ", 0) == 0 ||
              out.rfind("EOSError: A call to an OS function failed", 0) == 0)
      << out;
}

}  // namespace
}  // namespace brevolt::platform
