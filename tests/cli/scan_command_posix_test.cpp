// brevolt-scan on what only POSIX file systems have: names that are any
// bytes, and permissions that stop the owner.
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "cli/scan_test_support.h"

namespace brevolt::cli {
namespace {

TEST_F(ScanCommandTest, NamesThatAreNotUtf8) {
  const std::string odd = dir_.Write("odd\xff\xc3.wav", "short").string();
  const Outcome jsonl = Scan({"-q", "-f", "jsonl", odd});
  const std::string prefix = dir_.path().string() + "/odd";
  EXPECT_EQ(jsonl.out,
            "{\"path\": \"" + prefix +
                "\\udcff\\udcc3.wav\", \"status\": \"damaged\", \"code\": 5, "
                "\"position\": 0, \"reason\": \"File too small\"}\n");
  const Outcome list = Scan({"-q", "-f", "list", odd});
  EXPECT_EQ(list.out, odd + "\r\n");  // the name's own bytes
}

TEST_F(ScanCommandTest, UnreadableFileIsReportedAndTheScanGoesOn) {
  if (::geteuid() == 0)
    GTEST_SKIP() << "root reads every file; see the privilege-drop test";
  const auto locked = dir_.Write("locked.wav", test::ValidWav());
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  const Outcome run = Scan({"-q", "-f", "jsonl", locked.string(), bad_});
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_EQ(nlohmann::json::parse(lines[0])["status"], "error");
  EXPECT_EQ(nlohmann::json::parse(lines[0])["reason"],
            "Cannot open file \"" + locked.string() + "\". Permission denied");
  EXPECT_EQ(run.status, kTrouble);
}

}  // namespace
}  // namespace brevolt::cli
