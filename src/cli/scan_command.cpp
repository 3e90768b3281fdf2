#include "cli/scan_command.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <fstream>
#include <istream>
#include <map>
#include <memory>
#include <ostream>

#include "brevolt/errors.h"
#include "brevolt/folder_walker.h"
#include "brevolt/version.h"
#include "cli/file_checks.h"
#include "cli/output_file.h"
#include "cli/progress.h"
#include "cli/report.h"
#include "platform/platform.h"

namespace brevolt::cli {
namespace {

// Chosen by measurement (see bench/): on cold or network storage a file's
// inspection waits on the device, and more files in flight hide that wait.
constexpr unsigned kDefaultJobs = 32;

struct Options {
  std::vector<std::string> paths;
  std::string filesFrom;
  bool noRecurse = false;
  bool all = false;
  Format format = Format::kText;
  std::string output;
  unsigned jobs = kDefaultJobs;
  bool quiet = false;
};

// Counts the folders the walker could not list, which it skips silently.
class CountingLister final : public DirectoryLister {
 public:
  CountingLister(DirectoryLister& real, std::uint64_t& failures)
      : real_(real), failures_(failures) {}
  std::unique_ptr<DirectorySearch> Open(const NativeString& base) override {
    auto search = real_.Open(base);
    if (!search) ++failures_;
    return search;
  }
  std::optional<FolderId> Identify(const NativeString& path) override {
    return real_.Identify(path);
  }

 private:
  DirectoryLister& real_;
  std::uint64_t& failures_;
};

class Scan {
 public:
  Scan(const Options& options, Console& console, Report& report)
      : options_(options),
        console_(console),
        report_(report),
        progress_(console.err, console.errIsTerminal && !options.quiet,
                  console.columns),
        lister_(RealDirectoryLister(), tally_.unlistedFolders),
        inspector_(options.jobs, [this](const FileResult& r) { Record(r); }) {}

  void Path(const std::string& utf8) {
    if (Interrupted()) return;
    const std::filesystem::path path(platform::Utf8ToNative(utf8));
    std::error_code ignored;
    if (!std::filesystem::is_directory(path, ignored)) {
      inspector_.Submit(path);
      return;
    }
    ScanFolder(
        path, ".WAV", !options_.noRecurse,
        [this](const std::filesystem::path& file) {
          folder_ = PathText(file.parent_path());
          inspector_.Submit(file);
        },
        {}, [this](bool& stop) { stop = Interrupted(); }, {}, lister_);
  }

  const Tally& Finish() {
    inspector_.Finish();
    progress_.Clear();
    return tally_;
  }

  [[nodiscard]] bool Interrupted() const {
    return console_.interrupted != nullptr && console_.interrupted->load();
  }
  [[nodiscard]] double Elapsed() const { return progress_.Elapsed(); }

 private:
  void Record(const FileResult& result) {
    ++tally_.checked;
    if (result.status == Status::kDamaged) ++tally_.damaged;
    if (result.status == Status::kError) {
      ++tally_.unreadable;
      if (options_.format == Format::kList) {
        progress_.Clear();
        console_.err << "brevolt-scan: " << result.reason << '\n';
      }
    }
    if (result.status != Status::kOk || options_.all) report_.Row(result);
    progress_.Update(tally_, folder_);
  }

  const Options& options_;
  Console& console_;
  Report& report_;
  Tally tally_;
  Progress progress_;
  std::string folder_;
  CountingLister lister_;
  OrderedInspector inspector_;
};

// PATHs from a file or standard input, one a line.
bool ReadPathList(const std::string& source, Console& console,
                  std::vector<std::string>& paths) {
  std::unique_ptr<std::istream> file;
  std::istream* in = &console.in;
  if (source != "-") {
    file = std::make_unique<std::ifstream>(
        std::filesystem::path(platform::Utf8ToNative(source)),
        std::ios::binary);
    if (!*file) {
      console.err << "brevolt-scan: cannot read " << source << '\n';
      return false;
    }
    in = file.get();
  }
  for (std::string line; std::getline(*in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) paths.push_back(line);
  }
  return true;
}

void PrintSummary(const Tally& tally, double seconds, std::ostream& err) {
  char elapsed[32];
  std::snprintf(elapsed, sizeof elapsed, "%.2f s", seconds);
  err << "brevolt-scan: " << tally.checked << " files checked, "
      << tally.damaged << " damaged, " << tally.unreadable << " unreadable";
  if (tally.unlistedFolders > 0) {
    err << ", " << tally.unlistedFolders << " folders not listed";
  }
  err << ", " << elapsed << '\n';
}

int ExitStatus(const Tally& tally) {
  if (tally.unreadable > 0 || tally.unlistedFolders > 0) return kTrouble;
  return tally.damaged > 0 ? kSomeDamaged : kAllPassed;
}

void DefineOptions(CLI::App& app, Options& options) {
  app.add_option("PATH", options.paths,
                 "Folders to walk, or files to inspect directly");
  app.add_option(
         "--files-from", options.filesFrom,
         "Read further PATHs from FILE, one a line ('-': standard input)")
      ->option_text("FILE");
  app.add_flag("-R,--no-recurse", options.noRecurse,
               "Do not descend into sub-folders");
  app.add_flag("--all", options.all, "Also report the files that pass");
  const std::map<std::string, Format> formats = {{"text", Format::kText},
                                                 {"jsonl", Format::kJsonl},
                                                 {"csv", Format::kCsv},
                                                 {"list", Format::kList}};
  app.add_option("-f,--format", options.format,
                 "text (default), jsonl, csv or list")
      ->transform(CLI::CheckedTransformer(formats, CLI::ignore_case))
      ->option_text("FORMAT");
  app.add_option("-o,--output", options.output, "Write the report to FILE")
      ->option_text("FILE");
  app.add_option("-j,--jobs", options.jobs,
                 "Files inspected at once (default " +
                     std::to_string(kDefaultJobs) + ")")
      ->check(CLI::Range(1U, 256U))
      ->option_text("N");
  app.add_flag("-q,--quiet", options.quiet, "No progress line and no summary");
  app.set_version_flag("--version", "brevolt-scan " + GetAppVersion());
}

}  // namespace

int RunScan(const std::vector<std::string>& args, Console& console) {
  CLI::App app(
      "Finds structurally damaged WAV files: walks each folder for .wav files "
      "and checks their RIFF/RF64 chunk structure without reading the audio.",
      "brevolt-scan");
  Options options;
  DefineOptions(app, options);
  try {
    app.parse(std::vector<std::string>(args.rbegin(), args.rend()));
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e, console.out, console.err);
    return code == 0 ? kAllPassed : kTrouble;
  }
  if (!options.filesFrom.empty() &&
      !ReadPathList(options.filesFrom, console, options.paths)) {
    return kTrouble;
  }
  if (options.paths.empty()) {
    console.err << "brevolt-scan: no PATH given\n"
                << app.help("", CLI::AppFormatMode::Normal);
    return kTrouble;
  }

  std::unique_ptr<OutputFile> file;
  std::unique_ptr<std::ostream> fileStream;
  std::ostream* out = &console.out;
  if (!options.output.empty()) {
    try {
      file =
          std::make_unique<OutputFile>(platform::Utf8ToNative(options.output));
    } catch (const std::exception& e) {
      console.err << "brevolt-scan: " << e.what() << '\n';
      return kTrouble;
    }
    fileStream = std::make_unique<std::ostream>(file.get());
    out = fileStream.get();
  }

  const auto report = MakeReport(options.format, *out);
  Scan scan(options, console, *report);
  for (const std::string& path : options.paths) scan.Path(path);
  const Tally& tally = scan.Finish();
  out->flush();
  if (!options.quiet) PrintSummary(tally, scan.Elapsed(), console.err);
  if (!*out) {
    console.err << "brevolt-scan: Stream write error\n";
    return kTrouble;
  }
  return scan.Interrupted() ? kInterrupted : ExitStatus(tally);
}

}  // namespace brevolt::cli
