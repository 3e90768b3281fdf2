// brevolt-scan run in-process on small fixture trees.
#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli/scan_test_support.h"

namespace brevolt::cli {
namespace {

TEST_F(ScanCommandTest, TextFormat) {
  const Outcome run = Scan({"-q", ok_, bad_});
  EXPECT_EQ(run.status, kSomeDamaged);
  EXPECT_EQ(run.out,
            bad_ + ": damaged: code 6 at byte 8: No \"RIFF\" or \"RF64\" ID\n");
  EXPECT_EQ(run.err, "");

  const Outcome all = Scan({"-q", "--all", ok_});
  EXPECT_EQ(all.status, kAllPassed);
  EXPECT_EQ(all.out,
            ok_ + ": ok: PCM, 2 ch, 48000 Hz, 24 bit, data at 44, 4 bytes\n");
}

TEST_F(ScanCommandTest, JsonlFormat) {
  const Outcome run = Scan({"-q", "--all", "-f", "jsonl", ok_, bad_});
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_EQ(lines[0],
            "{\"path\": " + nlohmann::json(ok_).dump() +
                ", \"status\": \"ok\", \"format\": \"PCM\", \"channels\": 2, "
                "\"sample_rate\": 48000, \"bits\": 24, \"data_position\": 44, "
                "\"data_size\": 4}");
  const auto damaged = nlohmann::json::parse(lines[1]);
  EXPECT_EQ(damaged,
            (nlohmann::json{{"path", bad_},
                            {"status", "damaged"},
                            {"code", 6},
                            {"position", 8},
                            {"reason", "No \"RIFF\" or \"RF64\" ID"}}));
}

TEST_F(ScanCommandTest, CsvFormat) {
  const std::string comma = dir_.Write("a,'b'.wav", "x").string();
  const Outcome run = Scan({"-q", "-f", "csv", bad_, comma});
  EXPECT_EQ(run.out,
            "path,status,code,position,reason\r\n" + bad_ +
                ",damaged,6,8,\"No \"\"RIFF\"\" or \"\"RF64\"\" ID\"\r\n\"" +
                comma + "\",damaged,5,0,File too small\r\n");
}

TEST_F(ScanCommandTest, ListFormatIsTheWindowsFailureList) {
  const Outcome run = Scan({"-q", "-f", "list", "--all", ok_, bad_, cut_});
  EXPECT_EQ(run.out, bad_ + "\r\n" + cut_ + "\r\n");
}

TEST_F(ScanCommandTest, WalksFoldersAndHonoursNoRecurse) {
  Outcome deep = Scan({"-q", "-f", "list", Root()});
  auto lines = Lines(deep.out);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{bad_ + "\r", cut_ + "\r"}));

  const Outcome flat = Scan({"-q", "-f", "list", "-R", Root()});
  EXPECT_EQ(flat.out, bad_ + "\r\n");
}

TEST_F(ScanCommandTest, OutputIsTheSameForAnyNumberOfJobs) {
  for (int i = 0; i < 150; ++i) {
    const std::string name = "many/f" + std::to_string(i) + ".wav";
    dir_.Write(name, i % 7 == 0 ? std::string("broken") : test::ValidWav());
  }
  const Outcome one = Scan({"-q", "--all", "-f", "jsonl", "-j", "1", Root()});
  const Outcome eight = Scan({"-q", "--all", "-f", "jsonl", "-j", "8", Root()});
  EXPECT_EQ(Lines(one.out).size(), 153U);
  EXPECT_EQ(one.out, eight.out);
  EXPECT_EQ(one.status, eight.status);
}

TEST_F(ScanCommandTest, PathsFromAFileAndFromStandardInput) {
  const auto list = dir_.Write("list.txt", bad_ + "\r\n\n" + cut_ + "\n");
  const Outcome fromFile =
      Scan({"-q", "-f", "list", "--files-from", list.string()});
  EXPECT_EQ(fromFile.out, bad_ + "\r\n" + cut_ + "\r\n");
  const Outcome fromStdin =
      Scan({"-q", "-f", "list", "--files-from", "-", ok_}, cut_ + "\n");
  EXPECT_EQ(fromStdin.out, cut_ + "\r\n");
}

TEST_F(ScanCommandTest, DirectPathsGetTheReadersOwnRows) {
  const std::string missing = (dir_.path() / "missing.wav").string();
  const std::string notWav = (dir_.path() / "notes.txt").string();
  const Outcome run = Scan({"-q", missing, notWav});
  EXPECT_EQ(run.out,
            missing + ": damaged: code 1 at byte 0: File doesn't exist\n" +
                notWav +
                ": damaged: code 4 at byte 0: No \".WAV\" extension\n");
}

TEST_F(ScanCommandTest, ExitStatusesAndSummary) {
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  for (const Case& c : std::vector<Case>{
           {{ok_}, kAllPassed},
           {{ok_, bad_}, kSomeDamaged},
           {{}, kTrouble},
           {{"--bogus", ok_}, kTrouble},
           {{"-j", "0", ok_}, kTrouble},
           {{"-f", "xml", ok_}, kTrouble},
           {{"--files-from", (dir_.path() / "nope").string(), ok_},
            kTrouble}}) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    EXPECT_EQ(Scan(c.args).status, c.status);
  }
  const Outcome run = Scan({ok_, bad_});
  EXPECT_NE(
      run.err.find("brevolt-scan: 2 files checked, 1 damaged, 0 unreadable, "),
      std::string::npos)
      << run.err;
}

TEST_F(ScanCommandTest, VersionAndHelp) {
  EXPECT_EQ(Scan({"--version"}).out, "brevolt-scan 2.1.1\n");
  const Outcome help = Scan({"--help"});
  EXPECT_EQ(help.status, kAllPassed);
  EXPECT_NE(help.out.find("--files-from"), std::string::npos);
}

TEST_F(ScanCommandTest, OutputFile) {
  const auto target = dir_.Write("report.txt", std::string(500, 'o'));
  const Outcome run = Scan({"-q", "-f", "list", "-o", target.string(), bad_});
  EXPECT_EQ(run.out, "");
  std::ifstream in(target, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bad_ + "\r\n");

  const std::string nowhere =
      (dir_.path() / "no" / "such" / "report.txt").string();
  const Outcome failed = Scan({"-o", nowhere, bad_});
  EXPECT_EQ(failed.status, kTrouble);
  EXPECT_EQ(failed.err.rfind(
                "brevolt-scan: Cannot create file \"" + nowhere + "\". ", 0),
            0U)
      << failed.err;
}

TEST_F(ScanCommandTest, InterruptStopsTheWalk) {
  const std::atomic<bool> interrupted{true};
  const Outcome run = Scan({"-q", Root()}, "", &interrupted);
  EXPECT_EQ(run.status, kInterrupted);
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace brevolt::cli

namespace brevolt::cli {
namespace {

// On a terminal the status line is drawn, then cleared before the summary;
// -q draws nothing at all.
TEST_F(ScanCommandTest, ProgressLineOnATerminal) {
  const auto run = [&](std::vector<std::string> args) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    Console console{in, out, err, true, 60, nullptr};
    RunScan(args, console);
    return err.str();
  };
  const std::string shown = run({Root()});
  EXPECT_EQ(shown.rfind("\r\x1b[K", 0), 0U) << shown;
  EXPECT_NE(shown.find(" checked, "), std::string::npos);
  const auto summary = shown.find(
      "\r\x1b[Kbrevolt-scan: 3 files checked, 2 damaged, 0 unreadable, ");
  EXPECT_NE(summary, std::string::npos) << shown;
  EXPECT_EQ(run({"-q", Root()}), "");
}

}  // namespace
}  // namespace brevolt::cli
