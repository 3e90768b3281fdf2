// Hostile trees and files: special files, permissions, vanishing files,
// odd names, deep trees, huge sparse files, huge trees. Nothing may block,
// crash, grow without bound or write.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>

#include "brevolt/audio_file.h"
#include "brevolt/folder_walker.h"
#include "cli/scan_test_support.h"

namespace brevolt::cli {
namespace {

using test::TempDir;

struct Child {
  int status = -1;
  std::string out;
  long maxRssKib = 0;
};

// Runs brevolt-scan as a child process, as the user `uid` when given.
Child RunScanExecutable(std::vector<std::string> args, int uid = -1) {
  std::vector<std::string> argv;
  if (uid >= 0) {
    argv = {"setpriv", "--reuid=" + std::to_string(uid),
            "--regid=" + std::to_string(uid), "--clear-groups"};
  }
  argv.push_back(BREVOLT_SCAN_EXE);
  argv.insert(argv.end(), args.begin(), args.end());
  int out[2];
  if (::pipe(out) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDERR_FILENO);
    ::close(out[0]);
    std::vector<char*> raw;
    for (auto& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    ::execvp(raw[0], raw.data());
    ::_exit(127);
  }
  ::close(out[1]);
  Child child;
  std::array<char, 4096> buffer{};
  for (ssize_t got; (got = ::read(out[0], buffer.data(), buffer.size())) > 0;) {
    child.out.append(buffer.data(), static_cast<std::size_t>(got));
  }
  ::close(out[0]);
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  child.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  child.maxRssKib = usage.ru_maxrss;
  return child;
}

std::vector<nlohmann::json> JsonLines(const std::string& text) {
  std::vector<nlohmann::json> rows;
  for (const auto& line : Lines(text))
    rows.push_back(nlohmann::json::parse(line));
  return rows;
}

TEST(HostileTest, SpecialFilesAreNeverHandedOverNorOpened) {
  TempDir dir;
  dir.Write("a.wav", test::ValidWav());
  const auto fifo = dir.path() / "fifo.wav";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto socketPath = dir.path() / "sock.wav";
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s",
                socketPath.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address),
            0);
  if (::geteuid() == 0) {
    ASSERT_EQ(::mknod((dir.path() / "dev.wav").c_str(), S_IFCHR | 0600,
                      makedev(1, 3)),
              0);
  }
  const Outcome walked =
      Scan({"-q", "--all", "-f", "jsonl", dir.path().string()});
  const auto rows = JsonLines(walked.out);
  ASSERT_EQ(rows.size(), 1U) << walked.out;
  EXPECT_EQ(rows[0]["path"], (dir.path() / "a.wav").string());

  // Given directly, a FIFO is not a file: a clear row, and no blocking open.
  const Outcome direct =
      Scan({"-q", "-f", "jsonl", fifo.string(), socketPath.string()});
  for (const auto& row : JsonLines(direct.out)) {
    EXPECT_EQ(row["code"], 1);
    EXPECT_EQ(row["reason"], "File doesn't exist");
  }
  ::close(sock);
}

// An unreadable file is an error row, an unreadable folder adds nothing.
// Root reads everything, so as root the scan runs as nobody.
TEST(HostileTest, UnreadableFileAndFolder) {
  TempDir dir;
  std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
  const auto locked = dir.Write("locked.wav", test::ValidWav());
  dir.Write("ok.wav", test::ValidWav());
  const auto closed = dir.Write("closed/inside.wav", "bad").parent_path();
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  std::filesystem::permissions(closed, std::filesystem::perms::none);
  const int uid = ::geteuid() == 0 ? 65534 : -1;
  const Child child = RunScanExecutable(
      {"-q", "--all", "-f", "jsonl", dir.path().string()}, uid);
  if (child.status == 127)
    GTEST_SKIP() << "cannot run brevolt-scan as an unprivileged user";
  std::map<std::string, std::string> status;
  for (const auto& row : JsonLines(child.out))
    status[row["path"]] = row["status"];
  EXPECT_EQ(status, (std::map<std::string, std::string>{
                        {locked.string(), "error"},
                        {(dir.path() / "ok.wav").string(), "ok"}}));
  EXPECT_EQ(child.status, kTrouble);
  std::filesystem::permissions(closed, std::filesystem::perms::owner_all);
}

TEST(HostileTest, AFileThatVanishesAfterListing) {
  TempDir dir;
  dir.Write("gone.wav", test::ValidWav());
  int rows = 0;
  ScanFolder(dir.path(), ".WAV", true,
             [&](const std::filesystem::path& file) {
               std::filesystem::remove(file);
               TAudioInfo info;
               try {
                 ReadAudioInfo(info, file);
               } catch (const EWavFileError& e) {
                 ++rows;
                 EXPECT_EQ(e.ErrorCode(), 1);
                 EXPECT_EQ(e.Pos(), 0);
                 EXPECT_STREQ(e.what(), "File doesn't exist");
               }
             },
             {}, {});
  EXPECT_EQ(rows, 1);
}

TEST(HostileTest, NamesWithLineBreaksAndLongNames) {
  TempDir dir;
  const auto newline = dir.Write("new\nline.wav", "bad").string();
  const auto longName =
      dir.Write(std::string(251, 'n') + ".wav", "bad").string();
  const Outcome text = Scan({"-q", newline, longName});
  EXPECT_EQ(Lines(text.out).size(), 2U);
  EXPECT_NE(text.out.find("new\\x0aline.wav: damaged"), std::string::npos);
  const Outcome jsonl = Scan({"-q", "-f", "jsonl", newline});
  EXPECT_EQ(nlohmann::json::parse(jsonl.out)["path"], newline);
  const Outcome list = Scan({"-q", "-f", "list", newline});
  EXPECT_EQ(list.out, newline + "\r\n");
}

TEST(HostileTest, TreeNestedToThePathLengthLimit) {
  TempDir dir;
  std::filesystem::path deep = dir.path();
  const std::string segment(200, 'd');
  while (deep.native().size() + segment.size() + 12 < PATH_MAX) deep /= segment;
  std::filesystem::create_directories(deep);
  std::ofstream(deep / "x.wav") << "bad";
  // Beyond the limit: a folder whose path the system cannot take.
  std::error_code tooLong;
  std::filesystem::create_directories(deep / segment / segment, tooLong);
  std::vector<std::filesystem::path> files;
  ScanFolder(dir.path(), ".WAV", true,
             [&](const std::filesystem::path& file) { files.push_back(file); },
             {}, {});
  ASSERT_EQ(files.size(), 1U);
  EXPECT_EQ(files[0], deep / "x.wav");
}

// Sparse files: the sizes are real, the disk space is not.
std::filesystem::path SparseWav(const TempDir& dir, const char* name,
                                const std::string& head, std::uintmax_t size) {
  const auto path = dir.Write(name, head);
  std::filesystem::resize_file(path, size);
  return path;
}

TEST(HostileTest, SparseFilesPastFourGiB) {
  TempDir dir;
  using test::ChunkHeader;
  using test::Le32;
  using test::Le64;
  const std::string fmt = test::Chunk("fmt ", test::PcmFormat());
  constexpr std::uintmax_t kExact = 4'294'967'303;  // 8 + 0xFFFFFFFF
  const auto exact = [&](const char* name, std::uintmax_t size) {
    const auto dataSize = static_cast<std::uint32_t>(kExact - 44);
    return SparseWav(dir, name,
                     "RF64" + Le32(0xFFFFFFFF) + "WAVE" + fmt +
                         ChunkHeader("data", dataSize),
                     size);
  };
  TAudioInfo info;
  EXPECT_NO_THROW(ReadAudioInfo(info, exact("exact.wav", kExact)));
  EXPECT_EQ(info.datasize, static_cast<std::int64_t>(kExact - 44));
  try {
    ReadAudioInfo(info, exact("short.wav", kExact - 1));
    ADD_FAILURE() << "passed";
  } catch (const EWavFileError& e) {
    EXPECT_EQ(e.ErrorCode(), 7);
    EXPECT_EQ(e.Pos(), 8);
  }

  constexpr std::uint64_t kFiveGiB = 5ULL << 30;
  const std::string ds64 =
      test::Chunk("ds64", Le64(4 + 36 + 24 + 8 + kFiveGiB) + Le64(kFiveGiB) +
                              Le64(0) + Le32(0));
  const auto big = SparseWav(dir, "big.wav",
                             "RF64" + Le32(0xFFFFFFFF) + "WAVE" + ds64 + fmt +
                                 ChunkHeader("data", 0xFFFFFFFF),
                             12 + 36 + 24 + 8 + kFiveGiB);
  EXPECT_NO_THROW(ReadAudioInfo(info, big));
  EXPECT_EQ(info.datasize, static_cast<std::int64_t>(kFiveGiB));
  EXPECT_EQ(info.dataposition, 12 + 36 + 24 + 8);
}

// Memory does not grow with the tree: 10,000 and 100,000 files cost the
// same.
TEST(HostileTest, MemoryIndependentOfTheTreeSize) {
#ifdef BREVOLT_SANITIZED
  GTEST_SKIP() << "a sanitized build's memory is the sanitizer's";
#endif
  TempDir dir;
  const auto makeTree = [&](const char* name, int files) {
    const auto root = dir.MakeDir(name);
    for (int i = 0; i < files; ++i) {
      const auto folder = root / std::to_string(i / 1000);
      if (i % 1000 == 0) std::filesystem::create_directory(folder);
      const int fd = ::open((folder / (std::to_string(i) + ".wav")).c_str(),
                            O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
      ::close(fd);
    }
    return root.string();
  };
  const Child small =
      RunScanExecutable({"-q", "-f", "list", makeTree("small", 10'000)});
  const Child large =
      RunScanExecutable({"-q", "-f", "list", makeTree("large", 100'000)});
  EXPECT_EQ(Lines(large.out).size(), 100'000U);
  EXPECT_LT(large.maxRssKib, small.maxRssKib + 2048)
      << small.maxRssKib << " KiB, then " << large.maxRssKib << " KiB";
  EXPECT_LT(large.maxRssKib, 32 * 1024);
}

struct Stamp {
  std::string bytes;
  struct timespec modified {};
  struct timespec accessed {};
};

TEST(HostileTest, AScanChangesNothing) {
  TempDir dir;
  std::filesystem::copy(BREVOLT_EXAMPLES_DIR, dir.path() / "examples",
                        std::filesystem::copy_options::recursive);
  std::map<std::string, Stamp> before;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(dir.path())) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    // An access time in the past, so that a read would show.
    const struct timespec past[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
    ::utimensat(AT_FDCWD, entry.path().c_str(), past, 0);
    struct stat info {};
    ::stat(entry.path().c_str(), &info);
    before[entry.path().string()] = {std::move(bytes), info.st_mtim,
                                     info.st_atim};
  }
  Scan({"-q", "--all", dir.path().string()});
  for (const auto& [path, stamp] : before) {
    SCOPED_TRACE(path);
    struct stat info {};
    ::stat(path.c_str(), &info);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), stamp.bytes);
    EXPECT_EQ(info.st_mtim.tv_sec, stamp.modified.tv_sec);
    EXPECT_EQ(info.st_mtim.tv_nsec, stamp.modified.tv_nsec);
    EXPECT_EQ(info.st_atim.tv_sec,
              1'000'000'000);  // O_NOATIME: not even read times
  }
}

}  // namespace
}  // namespace brevolt::cli
