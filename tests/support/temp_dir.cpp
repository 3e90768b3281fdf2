#include "support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace brevolt::test {

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  const auto stamp =
      std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto name = "brevolt-test-" + std::to_string(stamp) + "-" +
                      std::to_string(counter++);
    path_ = std::filesystem::temp_directory_path() / name;
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::Write(const std::filesystem::path& relative,
                                     std::string_view bytes) const {
  const auto target = path_ / relative;
  std::filesystem::create_directories(target.parent_path());
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + target.string());
  return target;
}

std::filesystem::path TempDir::MakeDir(
    const std::filesystem::path& relative) const {
  const auto target = path_ / relative;
  std::filesystem::create_directories(target);
  return target;
}

}  // namespace brevolt::test
