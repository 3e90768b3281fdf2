// A temporary folder for one test, removed with everything in it.
#pragma once

#include <filesystem>
#include <string_view>

namespace brevolt::test {

class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }
  // Writes `bytes` to path()/relative, making the folders on the way.
  std::filesystem::path Write(const std::filesystem::path& relative,
                              std::string_view bytes) const;
  std::filesystem::path MakeDir(const std::filesystem::path& relative) const;

 private:
  std::filesystem::path path_;
};

}  // namespace brevolt::test
