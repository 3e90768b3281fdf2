#include "cli/progress.h"

#include <sstream>

namespace brevolt::cli {

Progress::Progress(std::ostream& err, bool enabled, int columns)
    : err_(err), enabled_(enabled), columns_(columns > 1 ? columns - 1 : 79) {}

double Progress::Elapsed() const {
  return std::chrono::duration<double>(Clock::now() - start_).count();
}

void Progress::Update(const Tally& tally, const std::string& folder) {
  if (!enabled_) return;
  const auto now = Clock::now();
  if (drawn_ && now - lastDraw_ < std::chrono::milliseconds(100)) return;
  lastDraw_ = now;
  drawn_ = true;
  const double seconds = Elapsed();
  std::ostringstream line;
  line << tally.checked << " checked, " << tally.damaged << " damaged, "
       << static_cast<std::uint64_t>(
              seconds > 0 ? static_cast<double>(tally.checked) / seconds : 0)
       << " files/s  " << folder;
  std::string text = line.str();
  for (auto& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  }
  if (text.size() > columns_) text.resize(columns_);
  err_ << "\r\x1b[K" << text << std::flush;
}

void Progress::Clear() {
  if (enabled_ && drawn_) err_ << "\r\x1b[K" << std::flush;
  drawn_ = false;
}

}  // namespace brevolt::cli
