// brevolt-scan as a function, so that tests run it in-process with their
// own streams.
#pragma once

#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

namespace brevolt::cli {

struct Console {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;
  int columns = 80;
  // Set from outside (Ctrl-C) to stop the walk as a cancel would.
  const std::atomic<bool>* interrupted = nullptr;
};

// Exit statuses.
inline constexpr int kAllPassed = 0;
inline constexpr int kSomeDamaged = 1;
inline constexpr int kTrouble = 2;  // usage error, or something unreadable
inline constexpr int kInterrupted = 130;

// `args` excludes the program name.
int RunScan(const std::vector<std::string>& args, Console& console);

}  // namespace brevolt::cli
