#include "cli/file_checks.h"

#include <algorithm>
#include <chrono>

#include "brevolt/audio_file.h"

namespace brevolt::cli {

FileResult Inspect(const std::filesystem::path& path) {
  FileResult result;
  result.path = path;
  TAudioInfo info;
  try {
    ReadAudioInfo(info, path);
  } catch (const EWavFileError& e) {
    result.status = Status::kDamaged;
    result.code = e.ErrorCode();
    result.position = e.Pos();
    result.reason = e.what();
    return result;
  } catch (const std::exception& e) {
    // The file exists but the system would not let us read it; a batch run
    // reports it and goes on.
    result.status = Status::kError;
    result.reason = e.what();
    return result;
  }
  const auto& format = info.format.formatinfo;
  result.format = info.format.formatname;
  result.channels = format.channels();
  result.sampleRate = format.fs();
  result.bits = format.bits();
  result.dataPosition = info.dataposition;
  result.dataSize = info.datasize;
  return result;
}

OrderedInspector::OrderedInspector(unsigned jobs, Emit emit)
    : emit_(std::move(emit)), window_(jobs * std::size_t{4}) {
  if (jobs <= 1) return;
  coreLimit_ = std::max(1U, std::thread::hardware_concurrency());
  workers_.reserve(jobs);
  for (unsigned i = 0; i < jobs; ++i) workers_.emplace_back([this] { Work(); });
}

OrderedInspector::~OrderedInspector() {
  {
    const std::lock_guard lock(mutex_);
    closing_ = true;
  }
  workAvailable_.notify_all();
  for (auto& worker : workers_) worker.join();
}

void OrderedInspector::Submit(const std::filesystem::path& path) {
  if (workers_.empty()) {
    emit_(Inspect(path));
    return;
  }
  Drain(false);
  std::unique_lock lock(mutex_);
  while (slots_.size() >= window_) {
    // The window is full: rather than wait, inspect a file no worker has
    // taken yet, or wait for the oldest one to finish.
    if (nextToTake_ < first_ + slots_.size()) {
      InspectNext(lock);
    } else {
      lock.unlock();
      Drain(true);
      lock.lock();
    }
    lock.unlock();
    Drain(false);
    lock.lock();
  }
  slots_.push_back({path, std::nullopt});
  // A worker is woken once a few files wait, not for each one: on a warm
  // cache a file takes less time to inspect than a wake-up costs.
  const std::uint64_t waiting = first_ + slots_.size() - nextToTake_;
  const bool wake =
      idleWorkers_ > 0 && waiting >= kWakeBatch && busyWorkers_ < ActiveLimit();
  lock.unlock();
  if (wake) workAvailable_.notify_one();
}

void OrderedInspector::InspectNext(std::unique_lock<std::mutex>& lock) {
  const std::uint64_t sequence = nextToTake_++;
  const std::filesystem::path path = slots_[sequence - first_].path;
  lock.unlock();
  const auto start = std::chrono::steady_clock::now();
  FileResult result = Inspect(path);
  const auto took = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
  lock.lock();
  averageNs_ += (took - averageNs_) / 8;
  slots_[sequence - first_].result = std::move(result);
  if (awaitingFront_ && sequence == first_) resultReady_.notify_one();
}

unsigned OrderedInspector::ActiveLimit() const {
  return averageNs_ > kSlowInspectionNs ? static_cast<unsigned>(workers_.size())
                                        : coreLimit_;
}

void OrderedInspector::Finish() {
  workAvailable_.notify_all();
  while (true) {
    {
      std::unique_lock lock(mutex_);
      if (slots_.empty()) return;
      if (nextToTake_ < first_ + slots_.size()) {
        InspectNext(lock);
        continue;
      }
    }
    Drain(true);
  }
}

void OrderedInspector::Drain(bool block) {
  std::vector<FileResult> ready;
  {
    std::unique_lock lock(mutex_);
    if (block) {
      awaitingFront_ = true;
      resultReady_.wait(lock, [this] {
        return slots_.empty() || slots_.front().result.has_value();
      });
      awaitingFront_ = false;
    }
    while (!slots_.empty() && slots_.front().result) {
      ready.push_back(std::move(*slots_.front().result));
      slots_.pop_front();
      ++first_;
    }
  }
  // Written outside the lock, so the workers go on meanwhile.
  for (const FileResult& result : ready) emit_(result);
}

void OrderedInspector::Work() {
  std::unique_lock lock(mutex_);
  while (true) {
    ++idleWorkers_;
    workAvailable_.wait(lock, [this] {
      return closing_ || (nextToTake_ < first_ + slots_.size() &&
                          busyWorkers_ < ActiveLimit());
    });
    --idleWorkers_;
    if (nextToTake_ >= first_ + slots_.size()) return;  // closing, nothing left
    ++busyWorkers_;
    // More files waiting than this worker will take soon: share them.
    if (idleWorkers_ > 0 && busyWorkers_ < ActiveLimit() &&
        first_ + slots_.size() - nextToTake_ > kWakeBatch) {
      workAvailable_.notify_one();
    }
    InspectNext(lock);
    --busyWorkers_;
  }
}

}  // namespace brevolt::cli
