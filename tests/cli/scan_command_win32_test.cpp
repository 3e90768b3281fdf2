// brevolt-scan on what only Windows has: files locked by a writer and
// UTF-16 names.
#include <windows.h>

#include <nlohmann/json.hpp>

#include "cli/scan_test_support.h"
#include "platform/platform.h"

namespace brevolt::cli {
namespace {

TEST_F(ScanCommandTest, AFileHeldOpenForWritingIsAnErrorRowAndTheScanGoesOn) {
  const auto held = dir_.Write("held.wav", test::ValidWav());
  const HANDLE writer = ::CreateFileW(held.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  const std::string heldText = platform::NativeToUtf8(held.native());
  const Outcome run = Scan({"-q", "-f", "jsonl", heldText, bad_});
  ::CloseHandle(writer);
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 2U) << run.out;
  const auto error = nlohmann::json::parse(lines[0]);
  EXPECT_EQ(error["status"], "error");
  EXPECT_EQ(error["reason"].get<std::string>().rfind(
                "Cannot open file \"" + heldText + "\". ", 0),
            0U);
  EXPECT_EQ(nlohmann::json::parse(lines[1])["status"], "damaged");
  EXPECT_EQ(run.status, kTrouble);
}

TEST_F(ScanCommandTest, NamesOutsideAsciiComeOutAsUtf8) {
  const auto odd = dir_.Write(L"\u00E9t\u00E9 \u65E5\u672C.wav", "short");
  const std::string utf8 = platform::NativeToUtf8(odd.native());
  ASSERT_NE(utf8.find("\xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC.wav"),
            std::string::npos);
  const Outcome jsonl = Scan({"-q", "-f", "jsonl", utf8});
  EXPECT_EQ(nlohmann::json::parse(jsonl.out)["path"], utf8);
  EXPECT_EQ(nlohmann::json::parse(jsonl.out)["code"], 5);

  const Outcome walked =
      Scan({"-q", "-f", "list", platform::NativeToUtf8(dir_.path().native())});
  EXPECT_NE(walked.out.find(utf8 + "\r\n"), std::string::npos);
}

TEST_F(ScanCommandTest, ListLinesEndInCrLf) {
  const Outcome run = Scan({"-q", "-f", "list", bad_, cut_});
  EXPECT_EQ(run.out, bad_ + "\r\n" + cut_ + "\r\n");
}

}  // namespace
}  // namespace brevolt::cli
