// The update check: what the version file's answer means for the version
// button. The transfer itself is the window's (Qt Network); these are the
// rules for the body, kept apart so that they read plainly.
#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>
#include <string>

namespace brevolt::app {

// The body could not be turned into text.
class EEncodingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The most bytes of a version file that are read; a larger body is an error,
// so that a broken or hostile server cannot exhaust memory.
inline constexpr qint64 kMaxVersionFileBytes = qint64{64} * 1024;

// One answer of the web server.
struct THTTPResponse {
  int StatusCode = 0;
  QByteArray ContentType;  // the Content-Type header, as sent
  QByteArray Body;         // already decompressed

  // The body as text, in the charset the Content-Type names (UTF-8 when it
  // names none), without its byte-order mark. Raises EEncodingError.
  [[nodiscard]] QString ContentAsString() const;
};

// The remote version text: everything after the body's last "=", or the
// whole body when it holds none. Nothing is trimmed.
QString RemoteVersionText(const QString& body);

// The version button's text for the remote version text, compared with the
// running program's version. Raises EConvertError for a text that is not a
// dotted version.
QString VersionButtonText(const QString& remoteVersion,
                          const std::string& localVersion);

}  // namespace brevolt::app
