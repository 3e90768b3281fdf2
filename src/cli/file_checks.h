// One file's outcome, and inspection of many files on worker threads with
// the outcomes handed back in the order the files were submitted.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace brevolt::cli {

enum class Status { kOk, kDamaged, kError };

struct FileResult {
  std::filesystem::path path;
  Status status = Status::kOk;
  // kDamaged: the reader's code, position and message. kError: message.
  int code = 0;
  std::int64_t position = 0;
  std::string reason;
  // kOk: what the reader learnt.
  std::string format;
  unsigned channels = 0;
  std::uint32_t sampleRate = 0;
  unsigned bits = 0;
  std::int64_t dataPosition = 0;
  std::int64_t dataSize = 0;
};

// Runs the reader on one path; never throws for a file's own trouble.
FileResult Inspect(const std::filesystem::path& path);

// Inspects submitted files on `jobs` threads (inline when jobs is 1) and
// passes each result to `emit`, on the submitting thread, in submission
// order. At most a fixed window of files is in flight, so memory does not
// grow with the number of files.
class OrderedInspector {
 public:
  using Emit = std::function<void(const FileResult&)>;

  OrderedInspector(unsigned jobs, Emit emit);
  OrderedInspector(const OrderedInspector&) = delete;
  OrderedInspector& operator=(const OrderedInspector&) = delete;
  ~OrderedInspector();

  void Submit(const std::filesystem::path& path);
  // Waits for every submitted file and emits the rest.
  void Finish();

 private:
  struct Slot {
    std::filesystem::path path;
    std::optional<FileResult> result;
  };

  static constexpr std::uint64_t kWakeBatch = 16;
  // An inspection slower than this waited for the device: then every
  // worker may run. Faster ones are served from the cache, where more
  // threads than cores only get in each other's way.
  static constexpr std::int64_t kSlowInspectionNs = 50'000;

  // How many workers may inspect at once, from the recent inspection time.
  [[nodiscard]] unsigned ActiveLimit() const;

  void Work();
  // Takes the oldest file no one has taken and inspects it, unlocked.
  void InspectNext(std::unique_lock<std::mutex>& lock);
  // Emits the finished results at the front; waits for one when `block`.
  void Drain(bool block);

  Emit emit_;
  std::size_t window_;
  std::mutex mutex_;
  std::condition_variable workAvailable_;
  std::condition_variable resultReady_;
  std::deque<Slot> slots_;  // slots_[0] has sequence number first_
  std::uint64_t first_ = 0;
  std::uint64_t nextToTake_ = 0;
  bool closing_ = false;
  // Wake-ups cost system calls: workers are woken only when some are idle,
  // and the submitter only when it waits for the oldest result.
  unsigned idleWorkers_ = 0;
  unsigned busyWorkers_ = 0;
  unsigned coreLimit_ = 1;
  std::int64_t averageNs_ = 0;  // moving average of inspection times
  bool awaitingFront_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace brevolt::cli
