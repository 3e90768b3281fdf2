// The POSIX file services against a real temporary folder.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "brevolt/errors.h"
#include "platform/platform.h"
#include "support/temp_dir.h"

namespace brevolt::platform {
namespace {

using test::TempDir;

TEST(FileExistsTest, OnlyRegularFilesAndLinksToThem) {
  TempDir dir;
  const auto file = dir.Write("a.wav", "x");
  const auto folder = dir.MakeDir("d.wav");
  const auto fifo = dir.path() / "fifo.wav";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_symlink(file, dir.path() / "link.wav");
  std::filesystem::create_symlink(folder, dir.path() / "dirlink.wav");
  std::filesystem::create_symlink(dir.path() / "gone",
                                  dir.path() / "dangling.wav");

  EXPECT_TRUE(FileExists(file));
  EXPECT_TRUE(FileExists(dir.path() / "link.wav"));
  EXPECT_FALSE(FileExists(folder));
  EXPECT_FALSE(FileExists(fifo));
  EXPECT_FALSE(FileExists(dir.path() / "dirlink.wav"));
  EXPECT_FALSE(FileExists(dir.path() / "dangling.wav"));
  EXPECT_FALSE(FileExists(dir.path() / "missing.wav"));
  EXPECT_FALSE(FileExists("/dev/null"));
}

TEST(ExtensionOfTest, EndsAtTheSeparator) {
  struct Case {
    const char* path;
    const char* extension;
  };
  for (const Case& c : std::vector<Case>{{"/a/b.wav", ".wav"},
                                         {"/a.d/b", ""},
                                         {"/a/b.", "."},
                                         {"/a/.wav", ".wav"},
                                         {"b.tar.gz", ".gz"},
                                         {"/a/b\\c.wav", ".wav"},
                                         {"c:x", ""},
                                         {"", ""}}) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ExtensionOf(c.path), c.extension);
  }
}

TEST(AnsiToUtf8Test, Windows1252) {
  EXPECT_EQ(AnsiToUtf8("LIST"), "LIST");
  EXPECT_EQ(AnsiToUtf8("\x80\x81\x8D\x8F\x90\x9D\x9F"),
            "\u20AC\u0081\u008D\u008F\u0090\u009D\u0178");
  EXPECT_EQ(AnsiToUtf8("\xA0\xE9\xFF"), "\u00A0\u00E9\u00FF");
}

TEST(OpenExistingFileTest, NothingButRegularFiles) {
  TempDir dir;
  const auto fifo = dir.path() / "fifo.wav";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(OpenExistingFile(fifo), nullptr);  // and does not block
  EXPECT_EQ(OpenExistingFile(dir.MakeDir("d.wav")), nullptr);
  EXPECT_EQ(OpenExistingFile(dir.path() / "missing.wav"), nullptr);
  EXPECT_EQ(OpenExistingFile("/dev/null"), nullptr);
}

TEST(OpenExistingFileTest, ReadsAtPositions) {
  TempDir dir;
  const auto path = dir.Write("a.wav", "0123456789");
  const auto file = OpenExistingFile(path);
  EXPECT_EQ(file->Size(), 10);
  std::uint8_t bytes[3] = {};
  file->ReadAt(7, bytes, 3);
  EXPECT_EQ(std::string(bytes, bytes + 3), "789");
}

TEST(OpenExistingFileTest, UnreadableFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  TempDir dir;
  const auto path = dir.Write("locked.wav", "x");
  std::filesystem::permissions(path, std::filesystem::perms::none);
  try {
    OpenExistingFile(path);
    ADD_FAILURE() << "opened an unreadable file";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.what(),
              "Cannot open file \"" + path.string() + "\". Permission denied");
  }
}

TEST(CreateWritableFileTest, ReplacesAndReportsFailure) {
  TempDir dir;
  const auto path = dir.Write("out.txt", "a much longer old content");
  CreateWritableFile(path)->Write("new");
  EXPECT_EQ(std::filesystem::file_size(path), 3U);
  const auto bad = dir.path() / "no" / "such" / "out.txt";
  try {
    CreateWritableFile(bad);
    ADD_FAILURE() << "created in a missing folder";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.what(), "Cannot create file \"" + bad.string() +
                            "\". No such file or directory");
  }
}

}  // namespace
}  // namespace brevolt::platform
