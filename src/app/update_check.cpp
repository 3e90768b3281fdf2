#include "app/update_check.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include "brevolt/version.h"

namespace brevolt::app {
namespace {

QByteArray CharsetOf(const QByteArray& contentType) {
  static const QRegularExpression charset(
      R"re((?:^|;)\s*charset\s*=\s*"?([^";\s]+)"?)re",
      QRegularExpression::CaseInsensitiveOption);
  const auto match = charset.match(QString::fromLatin1(contentType));
  return match.hasMatch() ? match.captured(1).toLatin1() : QByteArray();
}

}  // namespace

QString THTTPResponse::ContentAsString() const {
  const QByteArray charset = CharsetOf(ContentType);
  QStringDecoder decoder =
      charset.isEmpty() || charset.compare("utf-8", Qt::CaseInsensitive) == 0
          ? QStringDecoder(QStringDecoder::Utf8)
          : QStringDecoder(charset.constData());
  if (!decoder.isValid()) {
    throw EEncodingError("Unknown charset \"" + charset.toStdString() + "\"");
  }
  // The decoder skips a byte-order mark at the start by default.
  QString text = decoder.decode(Body);
  if (decoder.hasError()) {
    throw EEncodingError(
        "No mapping for the Unicode character exists in the target multi-byte "
        "code page");
  }
  return text;
}

QString RemoteVersionText(const QString& body) {
  return body.mid(body.lastIndexOf(u'=') + 1);
}

QString VersionButtonText(const QString& remoteVersion,
                          const std::string& localVersion) {
  const std::int32_t remote = VersionToNumber(remoteVersion.toStdString());
  const std::int32_t local = VersionToNumber(localVersion);
  const QString installed = QString::fromStdString(localVersion);
  if (local == remote) return "The latest version is installed: " + installed;
  if (local > remote) return "A pre-release version is installed: " + installed;
  return "Newer version available: " + remoteVersion;
}

}  // namespace brevolt::app
