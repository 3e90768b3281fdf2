// The POSIX lister and the walker over it on a real temporary tree.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>

#include "brevolt/folder_walker.h"
#include "support/temp_dir.h"

namespace brevolt {
namespace {

using test::TempDir;

std::map<std::string, std::uint32_t> ListWithAttributes(
    const std::filesystem::path& dir) {
  std::map<std::string, std::uint32_t> found;
  auto search = RealDirectoryLister().Open(dir.native() + "/");
  EXPECT_NE(search, nullptr);
  DirEntry entry;
  while (search && search->Next(entry)) found[entry.name] = entry.attributes;
  return found;
}

TEST(PosixListerTest, AttributeBits) {
  TempDir dir;
  dir.Write("a.wav", "x");
  dir.Write(".hidden.wav", "x");
  dir.Write("._resource.wav", "x");
  dir.MakeDir("sub");
  dir.MakeDir(".git");
  ASSERT_EQ(::mkfifo((dir.path() / "fifo.wav").c_str(), 0600), 0);
  std::filesystem::create_symlink(dir.path() / "a.wav",
                                  dir.path() / "filelink.wav");
  std::filesystem::create_symlink(dir.path() / "sub", dir.path() / "dirlink");
  std::filesystem::create_symlink(dir.path() / "gone",
                                  dir.path() / "dangling.wav");

  const auto found = ListWithAttributes(dir.path());
  const std::map<std::string, std::uint32_t> expected = {
      {".", attr::kDirectory},
      {"..", attr::kDirectory},
      {"a.wav", attr::kNormal},
      {".hidden.wav", attr::kNormal | attr::kHidden},
      {"._resource.wav", attr::kNormal | attr::kHidden},
      {"sub", attr::kDirectory},
      {".git", attr::kDirectory | attr::kHidden},
      {"fifo.wav", attr::kSystem},
      {"filelink.wav", attr::kReparsePoint},
      {"dirlink", attr::kReparsePoint | attr::kDirectory},
      {"dangling.wav", attr::kReparsePoint | attr::kSystem},
  };
  EXPECT_EQ(found, expected);
}

TEST(PosixListerTest, MissingOrNonFolderDoesNotOpen) {
  TempDir dir;
  const auto file = dir.Write("f.wav", "x");
  EXPECT_EQ(RealDirectoryLister().Open(file.native() + "/"), nullptr);
  EXPECT_EQ(RealDirectoryLister().Open(dir.path().native() + "/missing/"),
            nullptr);
}

std::vector<std::string> WalkedFiles(const std::filesystem::path& root,
                                     bool descend) {
  std::vector<std::string> files;
  ScanFolder(root, ".WAV", descend,
             [&](const std::filesystem::path& p) {
               files.push_back(p.lexically_relative(root).generic_string());
             },
             {}, {});
  // The listing's own order is the file system's.
  std::sort(files.begin(), files.end());
  return files;
}

TEST(PosixWalkTest, RealTree) {
  TempDir dir;
  dir.Write("a.wav", "x");
  dir.Write("B.WAV", "x");
  dir.Write("notes.txt", "x");
  dir.Write(".hidden/in.wav", "x");
  dir.Write(".dot.wav", "x");
  dir.Write("sub/deep/c.Wav", "x");
  dir.Write("Takes.WAV/take1.wav", "x");
  ASSERT_EQ(::mkfifo((dir.path() / "fifo.wav").c_str(), 0600), 0);
  std::filesystem::create_symlink(dir.path() / "a.wav",
                                  dir.path() / "link.wav");
  std::filesystem::create_symlink(dir.path() / "sub", dir.path() / "sublink");
  std::filesystem::create_symlink(dir.path(), dir.path() / "sub" / "loop");

  EXPECT_EQ(WalkedFiles(dir.path(), true),
            (std::vector<std::string>{"B.WAV", "Takes.WAV/take1.wav", "a.wav",
                                      "sub/deep/c.Wav", "sublink/deep/c.Wav"}));
  EXPECT_EQ(WalkedFiles(dir.path(), false),
            (std::vector<std::string>{"B.WAV", "Takes.WAV", "a.wav"}));
}

TEST(PosixWalkTest, MutualLinkLoopEnds) {
  TempDir dir;
  dir.Write("a/x.wav", "x");
  dir.Write("b/y.wav", "x");
  std::filesystem::create_symlink(dir.path() / "b", dir.path() / "a" / "to_b");
  std::filesystem::create_symlink(dir.path() / "a", dir.path() / "b" / "to_a");
  EXPECT_EQ(WalkedFiles(dir.path(), true),
            (std::vector<std::string>{"a/to_b/y.wav", "a/x.wav", "b/to_a/x.wav",
                                      "b/y.wav"}));
}

}  // namespace
}  // namespace brevolt
