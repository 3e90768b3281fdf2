// brevolt-scan run in-process: its streams are buffers, its input a small
// fixture tree.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/scan_command.h"
#include "support/temp_dir.h"
#include "support/wav_builder.h"

namespace brevolt::cli {

using test::TempDir;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

inline Outcome Scan(std::vector<std::string> args,
                    const std::string& input = "",
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

inline std::vector<std::string> Lines(const std::string& text) {
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
    cut_ = dir_.Write(std::filesystem::path("sub") / "cut.wav",
                      test::ValidWav().substr(0, 46))
               .string();
    dir_.Write("notes.txt", "not a wav");
  }
  std::string Root() const { return dir_.path().string(); }

  TempDir dir_;
  std::string ok_, bad_, cut_;
};

}  // namespace brevolt::cli
