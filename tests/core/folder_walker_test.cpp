// The walker over a fake file system: order of calls, attribute filtering,
// stop requests and errors, each with every listing closed at the end.
#include "brevolt/folder_walker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/fake_lister.h"

namespace brevolt {
namespace {

using test::FakeLister;
using test::File;
using test::Folder;

// Native text from a path written with "/".
NativeString N(std::string_view text) {
  NativeString native = platform::Utf8ToNative(text);
  for (auto& c : native) {
    if (c == '/') c = platform::kPathSeparator;
  }
  return native;
}

// Records every call the walker makes, in order.
class Recorder {
 public:
  std::vector<std::string> log;
  std::function<void()> afterPump;  // runs inside the message pump
  bool stop = false;

  TFileCallback OnFile() {
    return [this](const std::filesystem::path& p) {
      Add("file " + p.generic_string());
    };
  }
  TFolderCallback OnFolder() {
    return [this](const std::filesystem::path& p) {
      Add("folder " + p.generic_string());
    };
  }
  TAbortCallback OnCheckAbort() {
    return [this](bool& s) {
      Add("poll");
      s = stop;
    };
  }
  TMessagePump Pump() {
    return [this] {
      Add("pump");
      if (afterPump) afterPump();
    };
  }

  void Walk(FakeLister& fs, std::string_view root, bool descend = true,
            const std::string& extension = ".WAV") {
    ScanFolder(N(root), extension, descend, OnFile(), OnFolder(),
               OnCheckAbort(), Pump(), fs);
  }

  // The log without polls and pumps.
  [[nodiscard]] std::vector<std::string> Calls() const {
    std::vector<std::string> calls;
    for (const auto& line : log) {
      if (line != "poll" && line != "pump") calls.push_back(line);
    }
    return calls;
  }

 private:
  void Add(std::string line) { log.push_back(std::move(line)); }
};

using Log = std::vector<std::string>;

TEST(ScanFolderTest, DepthFirstInListingOrderWithPollsAndPumps) {
  FakeLister fs;
  fs.AddFolder(N("R"), {Folder(N(".")), Folder(N("..")), File(N("a.wav")),
                        Folder(N("sub")), File(N("B.WAV"))});
  fs.AddFolder(N("R/sub"), {File(N("c.Wav"))});
  Recorder r;
  r.Walk(fs, "R");
  EXPECT_EQ(r.log, (Log{"poll", "poll", "poll", "file R/a.wav", "pump", "poll",
                        "folder R/", "pump", "poll", "file R/sub/c.Wav", "pump",
                        "poll", "file R/B.WAV", "pump"}));
  EXPECT_EQ(fs.open_searches(), 0);
}

TEST(ScanFolderTest, ExtensionMatching) {
  FakeLister fs;
  fs.AddFolder(N("R"), {File(N("a.wav")), File(N("b.WAV")), File(N("c.Wav")),
                        File(N("a.wav.bak")), File(N("a.wave")), File(N("wav")),
                        File(N(".wav")), File(N("x.w\xC3\xA1v"))});
  Recorder r;
  r.Walk(fs, "R");
  EXPECT_EQ(r.Calls(), (Log{"file R/a.wav", "file R/b.WAV", "file R/c.Wav",
                            "file R/.wav"}));

  Recorder noDot;
  noDot.Walk(fs, "R", true, "");
  EXPECT_EQ(noDot.Calls(), (Log{"file R/wav"}));
}

TEST(ScanFolderTest, AttributeFiltering) {
  FakeLister fs;
  fs.AddFolder(N("R"),
               {File(N("hidden.wav"), attr::kHidden),
                File(N("system.wav"), attr::kSystem | attr::kArchive),
                File(N("temp.wav"), attr::kTemporary),
                File(N("link.wav"), attr::kReparsePoint),
                File(N("packed.wav"), attr::kCompressed),
                File(N("virtual.wav"), attr::kVirtual),
                File(N("readonly.wav"), attr::kReadOnly | attr::kArchive),
                File(N("archive.wav"), attr::kArchive),
                Folder(N("hiddendir"), attr::kDirectory | attr::kHidden),
                Folder(N("systemdir"), attr::kDirectory | attr::kSystem),
                Folder(N("packeddir"), attr::kDirectory | attr::kCompressed),
                Folder(N("linkdir"), attr::kDirectory | attr::kReparsePoint)});
  for (const char* dir :
       {"R/hiddendir", "R/systemdir", "R/packeddir", "R/linkdir"}) {
    fs.AddFolder(N(dir), {File(N("in.wav"))});
  }
  Recorder r;
  r.Walk(fs, "R");
  EXPECT_EQ(r.Calls(), (Log{"file R/readonly.wav", "file R/archive.wav",
                            "folder R/", "file R/packeddir/in.wav", "folder R/",
                            "file R/linkdir/in.wav"}));
  // Hidden and system entries are left out by the listing: no poll either.
  EXPECT_EQ(std::count(r.log.begin(), r.log.end(), "poll"), 8 + 2);
}

TEST(ScanFolderTest, FolderWithTheExtension) {
  FakeLister fs;
  fs.AddFolder(N("R"), {Folder(N("Old.wav")), Folder(N("sub"))});
  fs.AddFolder(N("R/Old.wav"), {File(N("in.wav"))});
  fs.AddFolder(N("R/sub"), {File(N("s.wav"))});

  Recorder flat;
  flat.Walk(fs, "R", false);
  EXPECT_EQ(flat.Calls(), (Log{"file R/Old.wav"}));

  Recorder deep;
  deep.Walk(fs, "R", true);
  EXPECT_EQ(deep.Calls(), (Log{"folder R/", "file R/Old.wav/in.wav",
                               "folder R/", "file R/sub/s.wav"}));
}

TEST(ScanFolderTest, FoldersThatGiveNothing) {
  FakeLister fs;
  fs.AddFolder(N("R"), {Folder(N(".")), Folder(N(".."))});
  fs.AddFolder(N("H"), {File(N("a.wav"), attr::kHidden),
                        Folder(N("d"), attr::kDirectory | attr::kSystem)});
  fs.AddFolder(N("P"), {Folder(N("unlistable")), File(N("z.wav"))});

  Recorder empty;
  empty.Walk(fs, "R");
  EXPECT_EQ(empty.log, (Log{"poll", "poll"}));

  Recorder hidden;
  hidden.Walk(fs, "H");
  EXPECT_TRUE(hidden.log.empty());  // the search does not even start

  Recorder missing;
  missing.Walk(fs, "nowhere");
  EXPECT_TRUE(missing.log.empty());

  Recorder parent;
  parent.Walk(fs, "P");
  EXPECT_EQ(parent.Calls(), (Log{"folder P/", "file P/z.wav"}));
}

TEST(ScanFolderTest, TrailingSeparatorGivesTheSamePaths) {
  FakeLister fs;
  fs.AddFolder(N("R"), {Folder(N("s"))});
  fs.AddFolder(N("R/s"), {File(N("a.wav"))});
  Recorder plain;
  plain.Walk(fs, "R");
  Recorder trailing;
  trailing.Walk(fs, "R/");
  EXPECT_EQ(plain.log, trailing.log);
  EXPECT_EQ(plain.Calls(), (Log{"folder R/", "file R/s/a.wav"}));
}

// Three levels, two files in each: R/a.wav R/b.wav R/1/...
FakeLister Deep() {
  FakeLister fs;
  fs.AddFolder(N("R"), {File(N("a.wav")), Folder(N("1")), File(N("b.wav"))});
  fs.AddFolder(N("R/1"), {File(N("a.wav")), Folder(N("2")), File(N("b.wav"))});
  fs.AddFolder(N("R/1/2"), {File(N("a.wav")), File(N("b.wav"))});
  return fs;
}

TEST(ScanFolderTest, StopStandingAtTheStart) {
  FakeLister fs = Deep();
  Recorder r;
  r.stop = true;
  r.Walk(fs, "R");
  EXPECT_EQ(r.log, (Log{"poll"}));
  EXPECT_EQ(fs.open_searches(), 0);
}

TEST(ScanFolderTest, StopDuringMessageProcessingEndsEveryLevel) {
  FakeLister fs = Deep();
  Recorder r;
  r.afterPump = [&] {
    if (r.log.size() > 1 && r.log[r.log.size() - 2] == "file R/1/2/a.wav")
      r.stop = true;
  };
  r.Walk(fs, "R");
  EXPECT_EQ(r.Calls(), (Log{"file R/a.wav", "folder R/", "file R/1/a.wav",
                            "folder R/1/", "file R/1/2/a.wav"}));
  // Each of the three levels polls once more and stops.
  EXPECT_EQ(std::count(r.log.end() - 3, r.log.end(), "poll"), 3);
  EXPECT_EQ(fs.open_searches(), 0);
}

TEST(ScanFolderTest, StopRightAfterAFolderCallOpensItButVisitsNothing) {
  FakeLister fs = Deep();
  Recorder r;
  r.afterPump = [&] {
    if (r.log[r.log.size() - 2] == "folder R/1/") r.stop = true;
  };
  r.Walk(fs, "R");
  EXPECT_EQ(r.Calls(), (Log{"file R/a.wav", "folder R/", "file R/1/a.wav",
                            "folder R/1/"}));
  EXPECT_EQ(fs.opened().back(), N("R/1/2/"));
  EXPECT_EQ(fs.open_searches(), 0);
}

TEST(ScanFolderTest, AnErrorThreeLevelsDownClosesEverySearch) {
  FakeLister fs = Deep();
  int depthSeen = 0;
  const TFileCallback onFile = [&](const std::filesystem::path& p) {
    if (p.generic_string().find("2/a.wav") != std::string::npos) {
      depthSeen = fs.open_searches();
      throw std::runtime_error("locked");
    }
  };
  EXPECT_THROW(ScanFolder(N("R"), ".WAV", true, onFile, {}, {}, {}, fs),
               std::runtime_error);
  EXPECT_EQ(depthSeen, 3);
  EXPECT_EQ(fs.open_searches(), 0);
}

TEST(ScanFolderTest, EmptyCallbacksStillWalkTheTree) {
  FakeLister fs = Deep();
  ScanFolder(N("R"), ".WAV", true, {}, {}, {}, {}, fs);
  EXPECT_EQ(fs.opened(),
            (std::vector<NativeString>{N("R/"), N("R/1/"), N("R/1/2/")}));
}

TEST(ScanFolderTest, FolderCallWithoutPumpWhenOnFolderIsEmpty) {
  FakeLister fs = Deep();
  int pumps = 0;
  ScanFolder(
      N("R"), ".WAV", true, {}, {}, {}, [&] { ++pumps; }, fs);
  EXPECT_EQ(pumps, 0);
}

TEST(ScanFolderTest, FolderLinksBackToAnAncestorAreNotWalked) {
  FakeLister fs;
  constexpr std::uint32_t kLink = attr::kDirectory | attr::kReparsePoint;
  fs.AddFolder(N("R"), {Folder(N("s"))});
  fs.AddFolder(N("R/s"), {Folder(N("up"), kLink), Folder(N("side"), kLink),
                          File(N("a.wav"))});
  fs.AddFolder(N("R/s/up"), {File(N("never.wav"))});
  fs.AddFolder(N("R/s/side"), {File(N("b.wav"))});
  fs.SetIdentity(N("R"), {1, 1});
  fs.SetIdentity(N("R/s"), {1, 2});
  fs.SetIdentity(N("R/s/up"), {1, 1});
  fs.SetIdentity(N("R/s/side"), {1, 3});
  Recorder r;
  r.Walk(fs, "R");
  EXPECT_EQ(r.Calls(), (Log{"folder R/", "folder R/s/", "folder R/s/",
                            "file R/s/side/b.wav", "file R/s/a.wav"}));
}

}  // namespace
}  // namespace brevolt
