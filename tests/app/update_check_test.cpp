// The update check against a loopback server driving the real HTTP client.
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <deque>

#include "app/application.h"
#include "app/mainform.h"
#include "http_test_server.h"
#include "support/temp_dir.h"
#include "support/wav_builder.h"

using namespace brevolt;
using namespace brevolt::app;

namespace {

class Dialogs final : public TDialogProvider {
 public:
  std::deque<QString> folders;
  QStringList messages;
  QStringList opened;
  bool PickFolder(const QString&, QString& directory) override {
    if (folders.empty()) return false;
    directory = folders.front();
    folders.pop_front();
    return true;
  }
  bool PickSaveFile(QString&) override { return false; }
  void OpenUrl(const QString& address) override { opened << address; }
  void ShowMessage(const QString& text) override { messages << text; }
};

const QByteArray kPrefix = "Couldn't Get Version Info ";

}  // namespace

class UpdateCheckTest : public QObject {
  Q_OBJECT

  Dialogs dialogs_;
  std::unique_ptr<Tmainform> form_;

  QString Button() {
    return form_->findChild<QPushButton*>("versionbutton")->text();
  }

  void Start(const QString& versionUrl,
             Tmainform::TInspector inspector = ReadAudioInfo) {
    form_ = std::make_unique<Tmainform>(
        dialogs_, Tmainform::TAddresses{"http://home.test/", versionUrl},
        std::move(inspector));
  }
  // Waits until the check has reported one way or the other.
  void AwaitOutcome() {
    QTRY_VERIFY_WITH_TIMEOUT(
        !Button().isEmpty() || !dialogs_.messages.isEmpty(), 10000);
  }

 private slots:
  void init() { dialogs_ = Dialogs(); }
  void cleanup() { form_.reset(); }

  void bodies_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    const QString latest = "The latest version is installed: 2.1.1";
    const QString pre = "A pre-release version is installed: 2.1.1";
    const auto ok = [&](const char* name, QByteArray body, QString button,
                        QByteArray type = {}) {
      QTest::newRow(name) << body << type << button << QString();
    };
    const auto fails = [&](const char* name, QByteArray body, QString message,
                           QByteArray type = {}) {
      QTest::newRow(name) << body << type << QString()
                          << QString(kPrefix + message.toUtf8());
    };
    ok("version=2.1.1", "version=2.1.1", latest);
    ok("bare 2.1.1", "2.1.1", latest);
    ok("with a line break", "version=2.1.1\r\n", latest);
    ok("newer", "version=2.1.2", "Newer version available: 2.1.2");
    ok("newer with CR LF", "version=2.1.2\r\n",
       "Newer version available: 2.1.2\r\n");
    ok("blanks round the =", "version = 2.1.2",
       "Newer version available:  2.1.2");
    ok("older", "version=2.1.0", pre);
    ok("two pieces", "2.1", pre);
    ok("four pieces", "2.1.1.0", "Newer version available: 2.1.1.0");
    ok("the last = counts", "a=1\nversion=2.1.1", latest);
    ok("empty body", "", pre);
    ok("ends in =", "version=", pre);
    ok("byte-order mark",
       "\xEF\xBB\xBF"
       "2.1.1",
       latest);
    ok("latin-1", "version=2.1.1", latest, "text/plain; charset=ISO-8859-1");
    ok("utf-16 with its mark",
       QByteArray("\xFF\xFE"
                  "2\0.\0"
                  "1\0.\0"
                  "2\0",
                  12),
       "Newer version available: 2.1.2", "text/plain; charset=utf-16");
    ok("UTF-8 named in capitals", "2.1.1", latest, "text/plain; charset=UTF-8");
    fails("a line after the version", "version=2.1.1\nnotes=x",
          "'x' is not a valid integer value for Integer type");
    fails("v2.1.1", "v2.1.1",
          "'v2' is not a valid integer value for Integer type");
    fails("blank after the digits", "2.1.1 ",
          "'1 ' is not a valid integer value for Integer type");
    fails("invalid UTF-8", "2.1.\xFF",
          "No mapping for the Unicode character exists in the target "
          "multi-byte code page");
    fails("unknown charset", "2.1.1", "Unknown charset \"no-such-charset\"",
          "text/plain; charset=no-such-charset");
  }
  void bodies() {
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, contentType);
    QFETCH(QString, button);
    QFETCH(QString, message);
    HttpTestServer server;
    const QByteArray type = contentType.isEmpty()
                                ? QByteArray()
                                : "Content-Type: " + contentType + "\r\n";
    server.Answer("/brevoltversion.txt",
                  HttpTestServer::Response("200 OK", body, type));
    Start(server.Url("/brevoltversion.txt"));
    AwaitOutcome();
    QCOMPARE(Button(), button);
    QCOMPARE(dialogs_.messages,
             message.isEmpty() ? QStringList() : QStringList{message});
  }

  void statusOtherThan200() {
    for (const QByteArray status :
         {"404 Not Found", "500 Internal Server Error"}) {
      HttpTestServer server;
      server.Answer("/brevoltversion.txt",
                    HttpTestServer::Response(status, "2.1.1"));
      Start(server.Url("/brevoltversion.txt"));
      AwaitOutcome();
      QCOMPARE(Button(), QString("Couldn't Get Version Info"));
      QVERIFY(dialogs_.messages.isEmpty());
      QCOMPARE(server.Requests().size(), 1);
      const QByteArray& request = server.Requests().front();
      QVERIFY(request.startsWith("GET /brevoltversion.txt HTTP/1.1\r\n"));
      QVERIFY(
          request.contains("User-Agent: Mozilla/5.0\r\n"));  // Qt's own default
    }
  }

  void redirects_data() {
    QTest::addColumn<int>("hops");
    QTest::addColumn<bool>("followed");
    QTest::newRow("five") << 5 << true;
    QTest::newRow("six") << 6 << false;
  }
  void redirects() {
    QFETCH(int, hops);
    QFETCH(bool, followed);
    HttpTestServer server;
    for (int i = 0; i < hops; ++i) {
      server.Answer(
          "/r" + QByteArray::number(i),
          HttpTestServer::Response("302 Found", "",
                                   "Location: /r" + QByteArray::number(i + 1) +
                                       "\r\nSet-Cookie: session=abc\r\n"));
    }
    server.Answer("/r" + QByteArray::number(hops),
                  HttpTestServer::Response("200 OK", "2.1.1"));
    Start(server.Url("/r0"));
    AwaitOutcome();
    if (followed) {
      QCOMPARE(Button(), QString("The latest version is installed: 2.1.1"));
      QCOMPARE(server.Requests().size(), hops + 1);
    } else {
      QCOMPARE(Button(), QString());
      QCOMPARE(dialogs_.messages.size(), 1);
      QVERIFY(dialogs_.messages.front().startsWith(kPrefix));
    }
    for (const QByteArray& request : server.Requests()) {
      QVERIFY2(!request.toLower().contains("cookie:"), request.constData());
    }
  }

  void compressedBody() {
    HttpTestServer server;
    const QByteArray gzip(
        "\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\x03\x2b\x4b\x2d\x2a\xce\xcc\xcf"
        "\xb3\x35\xd2\x33"
        "\xd4\x33\x02\x00\xa9\x69\xb7\xf9\x0d\x00\x00\x00",
        33);
    server.Answer("/v", HttpTestServer::Response("200 OK", gzip,
                                                 "Content-Encoding: gzip\r\n"));
    Start(server.Url("/v"));
    AwaitOutcome();
    QCOMPARE(Button(), QString("Newer version available: 2.1.2"));
  }

  void bodyOverTheLimit() {
    HttpTestServer server;
    server.Answer("/v",
                  HttpTestServer::Response("200 OK", QByteArray(70000, '1')));
    Start(server.Url("/v"));
    AwaitOutcome();
    QCOMPARE(
        dialogs_.messages,
        QStringList{kPrefix + "The version file is larger than 65536 bytes"});
    QCOMPARE(Button(), QString());
  }

  void refusedConnection() {
    quint16 port = 0;
    {
      QTcpServer closed;
      QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
      port = closed.serverPort();
    }
    Start(QString("http://127.0.0.1:%1/brevoltversion.txt").arg(port));
    AwaitOutcome();
    QCOMPARE(dialogs_.messages.size(), 1);
    QVERIFY(
        dialogs_.messages.front().startsWith(kPrefix + "Connection refused"));
    QCOMPARE(Button(), QString());
  }

  void homePageWhileWaiting() {
    HttpTestServer server;
    server.Answer("/v", QByteArray());  // never answers
    Start(server.Url("/v"));
    QTest::mouseClick(form_->findChild<QPushButton*>("versionbutton"),
                      Qt::LeftButton);
    QCOMPARE(dialogs_.opened, QStringList{"http://home.test/"});
  }

  void closingTheWindowAbortsTheRequest() {
    HttpTestServer server;
    server.Answer("/v", QByteArray());
    Start(server.Url("/v"));
    QTRY_COMPARE(server.OpenConnections(), 1);
    form_.reset();
    QTRY_COMPARE(server.OpenConnections(), 0);
    QTest::qWait(50);
    QVERIFY(dialogs_.messages.isEmpty());
  }

  void completionDuringAScan() {
    test::TempDir dir;
    for (int i = 0; i < 40; ++i)
      dir.Write("f" + std::to_string(i) + ".wav", test::ValidWav());
    HttpTestServer server;
    server.Answer("/v", HttpTestServer::Response("200 OK", "2.1.2"));
    int inspected = 0;
    int answeredAt = -1;
    Start(server.Url("/v"),
          [&](TAudioInfo& info, const std::filesystem::path& path) {
            ++inspected;
            if (answeredAt < 0 && !Button().isEmpty()) answeredAt = inspected;
            QTest::qSleep(5);
            ReadAudioInfo(info, path);
          });
    dialogs_.folders.push_back(QString::fromStdString(dir.path().string()));
    form_->show();
    QTest::mouseClick(form_->findChild<QPushButton*>("selectfolderbutton"),
                      Qt::LeftButton);
    QTest::mouseClick(form_->findChild<QPushButton*>("scanbutton"),
                      Qt::LeftButton);
    QCOMPARE(inspected, 40);  // the scan carried on
    QVERIFY2(answeredAt > 1 && answeredAt <= 40,
             qPrintable(QString::number(answeredAt)));
    QCOMPARE(Button(), QString("Newer version available: 2.1.2"));
  }

  void overHttps() {
    QTemporaryDir dir;
    const QString cert = dir.filePath("cert.pem");
    const QString key = dir.filePath("key.pem");
    QProcess openssl;
    openssl.setStandardOutputFile(QProcess::nullDevice());
    openssl.setStandardErrorFile(QProcess::nullDevice());
    openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes",
                              "-days", "1", "-subj", "/CN=127.0.0.1", "-addext",
                              "subjectAltName=IP:127.0.0.1", "-keyout", key,
                              "-out", cert});
    QVERIFY(openssl.waitForFinished(60000));
    QCOMPARE(openssl.exitCode(), 0);
    QFile certFile(cert);
    QFile keyFile(key);
    QVERIFY(certFile.open(QIODevice::ReadOnly) &&
            keyFile.open(QIODevice::ReadOnly));
    const QSslCertificate certificate(&certFile, QSsl::Pem);
    const QSslKey privateKey(&keyFile, QSsl::Rsa, QSsl::Pem);

    HttpTestServer untrusted(certificate, privateKey);
    untrusted.Answer("/v", HttpTestServer::Response("200 OK", "2.1.1"));
    Start(untrusted.Url("/v", "https"));
    AwaitOutcome();
    QCOMPARE(Button(), QString());  // not trusted: the certificate is refused
    QCOMPARE(dialogs_.messages.size(), 1);
    form_.reset();
    dialogs_ = Dialogs();

    const QSslConfiguration saved = QSslConfiguration::defaultConfiguration();
    QSslConfiguration trusting = saved;
    trusting.addCaCertificate(certificate);
    QSslConfiguration::setDefaultConfiguration(trusting);
    HttpTestServer server(certificate, privateKey);
    server.Answer("/v", HttpTestServer::Response("200 OK", "version=2.1.1"));
    Start(server.Url("/v", "https"));
    AwaitOutcome();
    QSslConfiguration::setDefaultConfiguration(saved);
    QCOMPARE(Button(), QString("The latest version is installed: 2.1.1"));
  }
};

int main(int argc, char** argv) {
  TBrevoltApplication app(argc, argv);
  UpdateCheckTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "update_check_test.moc"
