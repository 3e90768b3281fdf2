// The Win32 lister and the walker over it, with attributes set for real.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "brevolt/folder_walker.h"
#include "platform/platform.h"
#include "support/temp_dir.h"

namespace brevolt {
namespace {

using test::TempDir;

void SetAttributes(const std::filesystem::path& path, DWORD attributes) {
  ASSERT_TRUE(::SetFileAttributesW(path.c_str(), attributes)) << path.string();
}

std::vector<std::string> WalkedFiles(const std::filesystem::path& root,
                                     bool descend) {
  std::vector<std::string> files;
  ScanFolder(root, ".WAV", descend,
             [&](const std::filesystem::path& p) {
               files.push_back(platform::NativeToUtf8(p.native()));
             },
             {}, {});
  std::sort(files.begin(), files.end());
  return files;
}

TEST(Win32ListerTest, ReportsTheSystemsAttributes) {
  TempDir dir;
  SetAttributes(dir.Write("hidden.wav", "x"), FILE_ATTRIBUTE_HIDDEN);
  SetAttributes(dir.Write("system.wav", "x"), FILE_ATTRIBUTE_SYSTEM);
  SetAttributes(dir.Write("readonly.wav", "x"), FILE_ATTRIBUTE_READONLY);
  dir.MakeDir("sub");
  std::map<std::string, std::uint32_t> found;
  auto search = RealDirectoryLister().Open(dir.path().native() + L"\\");
  ASSERT_NE(search, nullptr);
  DirEntry entry;
  while (search->Next(entry))
    found[platform::NativeToUtf8(entry.name)] = entry.attributes;
  EXPECT_NE(found["hidden.wav"] & attr::kHidden, 0U);
  EXPECT_NE(found["system.wav"] & attr::kSystem, 0U);
  EXPECT_NE(found["readonly.wav"] & attr::kReadOnly, 0U);
  EXPECT_NE(found["sub"] & attr::kDirectory, 0U);
  SetAttributes(dir.path() / "readonly.wav", FILE_ATTRIBUTE_NORMAL);
}

TEST(Win32WalkTest, AttributesDecideWhatIsHandedOver) {
  TempDir dir;
  const std::string root = platform::NativeToUtf8(dir.path().native());
  dir.Write("a.wav", "x");
  dir.Write("B.WAV", "x");
  SetAttributes(dir.Write("hidden.wav", "x"), FILE_ATTRIBUTE_HIDDEN);
  SetAttributes(dir.Write("system.wav", "x"), FILE_ATTRIBUTE_SYSTEM);
  SetAttributes(dir.Write("temp.wav", "x"), FILE_ATTRIBUTE_TEMPORARY);
  SetAttributes(dir.Write("readonly.wav", "x"), FILE_ATTRIBUTE_READONLY);
  dir.Write("Takes.WAV\\in.wav", "x");
  SetAttributes(dir.Write("HiddenDir\\in.wav", "x").parent_path(),
                FILE_ATTRIBUTE_HIDDEN);
  dir.Write(L"caf\u00E9\\\u00E9t\u00E9.wav", "x");

  std::vector<std::string> deep = {
      root + "\\B.WAV", root + "\\Takes.WAV\\in.wav", root + "\\a.wav",
      root + "\\caf\xC3\xA9\\\xC3\xA9t\xC3\xA9.wav", root + "\\readonly.wav"};
  std::vector<std::string> flat = {root + "\\B.WAV", root + "\\Takes.WAV",
                                   root + "\\a.wav", root + "\\readonly.wav"};
  // Wine does not keep the temporary attribute; where it is kept, the file
  // is left out like the hidden and system ones.
  if ((::GetFileAttributesW((dir.path() / "temp.wav").c_str()) &
       FILE_ATTRIBUTE_TEMPORARY) == 0) {
    for (auto* list : {&deep, &flat}) {
      list->push_back(root + "\\temp.wav");
      std::sort(list->begin(), list->end());
    }
  }
  EXPECT_EQ(WalkedFiles(dir.path(), true), deep);
  EXPECT_EQ(WalkedFiles(dir.path(), false), flat);
  // With and without the trailing separator the paths are the same.
  EXPECT_EQ(WalkedFiles(dir.path().native() + L"\\", true),
            WalkedFiles(dir.path(), true));
  SetAttributes(dir.path() / "readonly.wav", FILE_ATTRIBUTE_NORMAL);
}

TEST(Win32WalkTest, FileLinksAreNotHandedOver) {
  TempDir dir;
  const auto target = dir.Write("real.wav", "x");
  if (!::CreateSymbolicLinkW((dir.path() / "link.wav").c_str(), target.c_str(),
                             0)) {
    GTEST_SKIP() << "this system makes no symbolic links here";
  }
  const auto files = WalkedFiles(dir.path(), true);
  EXPECT_EQ(
      files,
      (std::vector<std::string>{platform::NativeToUtf8(target.native())}));
}

}  // namespace
}  // namespace brevolt
