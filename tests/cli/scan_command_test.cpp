// brevolt-scan run in-process on small fixture trees.
#include "cli/scan_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/temp_dir.h"
#include "support/wav_builder.h"

namespace brevolt::cli {
namespace {

using test::TempDir;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

Outcome Scan(std::vector<std::string> args, const std::string& input = "",
         const std::atomic<bool>* interrupted = nullptr) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  Console console{in, out, err, false, 80, interrupted};
  Outcome run;
  run.status = RunScan(args, console);
  run.out = out.str();
  run.err = err.str();
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// A tree with one passing file, one file per kind of trouble and a sub-folder.
class ScanCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ok_ = dir_.Write("ok.wav", test::ValidWav()).string();
    std::string riffx = test::ValidWav();
    riffx.replace(0, 4, "RIFX");
    bad_ = dir_.Write("bad.wav", riffx).string();
    cut_ = dir_.Write("sub/cut.wav", test::ValidWav().substr(0, 46)).string();
    dir_.Write("notes.txt", "not a wav");
  }
  std::string Root() const { return dir_.path().string(); }

  TempDir dir_;
  std::string ok_, bad_, cut_;
};

TEST_F(ScanCommandTest, TextFormat) {
  const Outcome run = Scan({"-q", ok_, bad_});
  EXPECT_EQ(run.status, kSomeDamaged);
  EXPECT_EQ(run.out, bad_ + ": damaged: code 6 at byte 8: No \"RIFF\" or \"RF64\" ID\n");
  EXPECT_EQ(run.err, "");

  const Outcome all = Scan({"-q", "--all", ok_});
  EXPECT_EQ(all.status, kAllPassed);
  EXPECT_EQ(all.out, ok_ + ": ok: PCM, 2 ch, 48000 Hz, 24 bit, data at 44, 4 bytes\n");
}

TEST_F(ScanCommandTest, JsonlFormat) {
  const Outcome run = Scan({"-q", "--all", "-f", "jsonl", ok_, bad_});
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_EQ(lines[0], "{\"path\": " + nlohmann::json(ok_).dump() +
                          ", \"status\": \"ok\", \"format\": \"PCM\", \"channels\": 2, "
                          "\"sample_rate\": 48000, \"bits\": 24, \"data_position\": 44, "
                          "\"data_size\": 4}");
  const auto damaged = nlohmann::json::parse(lines[1]);
  EXPECT_EQ(damaged, (nlohmann::json{{"path", bad_},
                                     {"status", "damaged"},
                                     {"code", 6},
                                     {"position", 8},
                                     {"reason", "No \"RIFF\" or \"RF64\" ID"}}));
}

TEST_F(ScanCommandTest, CsvFormat) {
  const std::string comma = dir_.Write("a,\"b\".wav", "x").string();
  const Outcome run = Scan({"-q", "-f", "csv", bad_, comma});
  EXPECT_EQ(run.out,
            "path,status,code,position,reason\r\n" + bad_ +
                ",damaged,6,8,\"No \"\"RIFF\"\" or \"\"RF64\"\" ID\"\r\n\"" +
                dir_.path().string() + "/a,\"\"b\"\".wav\",damaged,5,0,File too small\r\n");
}

TEST_F(ScanCommandTest, ListFormatIsTheWindowsFailureList) {
  const Outcome run = Scan({"-q", "-f", "list", "--all", ok_, bad_, cut_});
  EXPECT_EQ(run.out, bad_ + "\r\n" + cut_ + "\r\n");
}

TEST_F(ScanCommandTest, NamesThatAreNotUtf8) {
  const std::string odd = dir_.Write("odd\xff\xc3.wav", "short").string();
  const Outcome jsonl = Scan({"-q", "-f", "jsonl", odd});
  const std::string prefix = dir_.path().string() + "/odd";
  EXPECT_EQ(jsonl.out, "{\"path\": \"" + prefix +
                           "\\udcff\\udcc3.wav\", \"status\": \"damaged\", \"code\": 5, "
                           "\"position\": 0, \"reason\": \"File too small\"}\n");
  const Outcome list = Scan({"-q", "-f", "list", odd});
  EXPECT_EQ(list.out, odd + "\r\n");  // the name's own bytes
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
  const Outcome fromFile = Scan({"-q", "-f", "list", "--files-from", list.string()});
  EXPECT_EQ(fromFile.out, bad_ + "\r\n" + cut_ + "\r\n");
  const Outcome fromStdin = Scan({"-q", "-f", "list", "--files-from", "-", ok_}, cut_ + "\n");
  EXPECT_EQ(fromStdin.out, cut_ + "\r\n");
}

TEST_F(ScanCommandTest, DirectPathsGetTheReadersOwnRows) {
  const std::string missing = Root() + "/missing.wav";
  const std::string notWav = dir_.path().string() + "/notes.txt";
  const Outcome run = Scan({"-q", missing, notWav});
  EXPECT_EQ(run.out, missing + ": damaged: code 1 at byte 0: File doesn't exist\n" +
                         notWav + ": damaged: code 4 at byte 0: No \".WAV\" extension\n");
}

TEST_F(ScanCommandTest, ExitStatusesAndSummary) {
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  for (const Case& c : std::vector<Case>{{{ok_}, kAllPassed},
                                         {{ok_, bad_}, kSomeDamaged},
                                         {{}, kTrouble},
                                         {{"--bogus", ok_}, kTrouble},
                                         {{"-j", "0", ok_}, kTrouble},
                                         {{"-f", "xml", ok_}, kTrouble},
                                         {{"--files-from", Root() + "/nope", ok_}, kTrouble}}) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    EXPECT_EQ(Scan(c.args).status, c.status);
  }
  const Outcome run = Scan({ok_, bad_});
  EXPECT_NE(run.err.find("brevolt-scan: 2 files checked, 1 damaged, 0 unreadable, "),
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

  const std::string nowhere = Root() + "/no/such/report.txt";
  const Outcome failed = Scan({"-o", nowhere, bad_});
  EXPECT_EQ(failed.status, kTrouble);
  EXPECT_EQ(failed.err, "brevolt-scan: Cannot create file \"" + nowhere +
                            "\". No such file or directory\n");
}

TEST_F(ScanCommandTest, InterruptStopsTheWalk) {
  const std::atomic<bool> interrupted{true};
  const Outcome run = Scan({"-q", Root()}, "", &interrupted);
  EXPECT_EQ(run.status, kInterrupted);
  EXPECT_EQ(run.out, "");
}

TEST_F(ScanCommandTest, UnreadableFileIsReportedAndTheScanGoesOn) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file; see the privilege-drop test";
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
