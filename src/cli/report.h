// The report formats of brevolt-scan. Each row is written and flushed as
// soon as it is known, so the output can feed a pipeline.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/file_checks.h"

namespace brevolt::cli {

enum class Format { kText, kJsonl, kCsv, kList };

class Report {
 public:
  virtual ~Report() = default;
  // Writes the row for one file. Passing files are only given with --all.
  virtual void Row(const FileResult& result) = 0;
};

std::unique_ptr<Report> MakeReport(Format format, std::ostream& out);

// A path's text: UTF-8 where the name is valid UTF-8, its own bytes where not.
std::string PathText(const std::filesystem::path& path);

// A JSON string literal. Bytes that are not valid UTF-8 become the escapes
// \udc80 to \udcff (the surrogateescape convention), so the line stays valid
// UTF-8 and the original bytes can be restored.
std::string JsonString(std::string_view utf8);

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(std::string_view text);

}  // namespace brevolt::cli
