// The one-line status on a terminal's standard error while a scan runs.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace brevolt::cli {

struct Tally {
  std::uint64_t checked = 0;
  std::uint64_t damaged = 0;
  std::uint64_t unreadable = 0;
  std::uint64_t unlistedFolders = 0;
};

class Progress {
 public:
  // Draws nothing unless `enabled`.
  Progress(std::ostream& err, bool enabled, int columns);
  // Redraws at most ten times a second.
  void Update(const Tally& tally, const std::string& folder);
  void Clear();
  [[nodiscard]] double Elapsed() const;

 private:
  using Clock = std::chrono::steady_clock;
  std::ostream& err_;
  bool enabled_;
  std::size_t columns_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point lastDraw_{};
  bool drawn_ = false;
};

}  // namespace brevolt::cli
