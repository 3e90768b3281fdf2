#include "cli/report.h"

#include <cstdio>

#include "platform/platform.h"

namespace brevolt::cli {
namespace {

// Length of the valid UTF-8 sequence at text[i], or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) {
    return static_cast<unsigned char>(text[k]);
  };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  char32_t code = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  const bool overlong =
      (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (overlong || surrogate || code > 0x10FFFF) return 0;
  return length;
}

std::string Hex4(unsigned value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\u%04x", value);
  return buffer;
}

const char* StatusName(Status status) {
  switch (status) {
    case Status::kOk:
      return "ok";
    case Status::kDamaged:
      return "damaged";
    case Status::kError:
      return "error";
  }
  return "";
}

// Control characters in a terminal line would break the line or the
// terminal; they are shown as \xNN.
std::string TerminalSafe(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02x", byte);
      out += buffer;
    } else {
      out += c;
    }
  }
  return out;
}

class TextReport final : public Report {
 public:
  explicit TextReport(std::ostream& out) : out_(out) {}
  void Row(const FileResult& r) override {
    out_ << TerminalSafe(PathText(r.path)) << ": " << StatusName(r.status)
         << ": ";
    switch (r.status) {
      case Status::kDamaged:
        out_ << "code " << r.code << " at byte " << r.position << ": "
             << r.reason;
        break;
      case Status::kError:
        out_ << TerminalSafe(r.reason);
        break;
      case Status::kOk:
        out_ << r.format << ", " << r.channels << " ch, " << r.sampleRate
             << " Hz, " << r.bits << " bit, data at " << r.dataPosition << ", "
             << r.dataSize << " bytes";
        break;
    }
    out_ << '\n' << std::flush;
  }

 private:
  std::ostream& out_;
};

class JsonlReport final : public Report {
 public:
  explicit JsonlReport(std::ostream& out) : out_(out) {}
  void Row(const FileResult& r) override {
    out_ << "{\"path\": " << JsonString(PathText(r.path)) << R"(, "status": ")"
         << StatusName(r.status) << '"';
    switch (r.status) {
      case Status::kDamaged:
        out_ << ", \"code\": " << r.code << ", \"position\": " << r.position
             << ", \"reason\": " << JsonString(r.reason);
        break;
      case Status::kError:
        out_ << ", \"reason\": " << JsonString(r.reason);
        break;
      case Status::kOk:
        out_ << ", \"format\": " << JsonString(r.format)
             << ", \"channels\": " << r.channels
             << ", \"sample_rate\": " << r.sampleRate
             << ", \"bits\": " << r.bits
             << ", \"data_position\": " << r.dataPosition
             << ", \"data_size\": " << r.dataSize;
        break;
    }
    out_ << "}\n" << std::flush;
  }

 private:
  std::ostream& out_;
};

class CsvReport final : public Report {
 public:
  explicit CsvReport(std::ostream& out) : out_(out) {
    out_ << "path,status,code,position,reason\r\n" << std::flush;
  }
  void Row(const FileResult& r) override {
    out_ << CsvField(PathText(r.path)) << ',' << StatusName(r.status) << ',';
    if (r.status == Status::kDamaged)
      out_ << r.code << ',' << r.position;
    else
      out_ << ',';
    out_ << ',' << CsvField(r.reason) << "\r\n" << std::flush;
  }

 private:
  std::ostream& out_;
};

// The failure list as the window saves it: damaged paths only, each ended
// by CR LF, the name's bytes unchanged.
class ListReport final : public Report {
 public:
  explicit ListReport(std::ostream& out) : out_(out) {}
  void Row(const FileResult& r) override {
    if (r.status != Status::kDamaged) return;
    out_ << PathText(r.path) << "\r\n" << std::flush;
  }

 private:
  std::ostream& out_;
};

}  // namespace

std::string PathText(const std::filesystem::path& path) {
  return platform::NativeToUtf8(path.native());
}

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t length = Utf8SequenceLength(utf8, i);
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (length == 0) {
      out += Hex4(0xDC00 + byte);
      ++i;
      continue;
    }
    if (length == 1) {
      switch (byte) {
        case '"':
          out += "\\\"";
          break;
        case '\\':
          out += "\\\\";
          break;
        case '\n':
          out += "\\n";
          break;
        case '\r':
          out += "\\r";
          break;
        case '\t':
          out += "\\t";
          break;
        default:
          if (byte < 0x20 || byte == 0x7F)
            out += Hex4(byte);
          else
            out += static_cast<char>(byte);
      }
    } else {
      out.append(utf8.substr(i, length));
    }
    i += length;
  }
  return out + "\"";
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos)
    return std::string(text);
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::unique_ptr<Report> MakeReport(Format format, std::ostream& out) {
  switch (format) {
    case Format::kJsonl:
      return std::make_unique<JsonlReport>(out);
    case Format::kCsv:
      return std::make_unique<CsvReport>(out);
    case Format::kList:
      return std::make_unique<ListReport>(out);
    case Format::kText:
      break;
  }
  return std::make_unique<TextReport>(out);
}

}  // namespace brevolt::cli
