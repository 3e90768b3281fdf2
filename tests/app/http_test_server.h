// A loopback HTTP server for tests: answers each request path with a
// scripted raw response and remembers the requests it saw. With a
// certificate and key it speaks HTTPS.
#pragma once

#include <QMap>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>

class HttpTestServer : public QObject {
 public:
  HttpTestServer() : HttpTestServer(QSslCertificate(QByteArray()), QSslKey()) {}
  HttpTestServer(const QSslCertificate& certificate, const QSslKey& key) {
    if (!certificate.isNull()) {
      auto* ssl = new QSslServer(this);
      QSslConfiguration config = QSslConfiguration::defaultConfiguration();
      config.setLocalCertificate(certificate);
      config.setPrivateKey(key);
      ssl->setSslConfiguration(config);
      server_ = ssl;
      connect(ssl, &QSslServer::pendingConnectionAvailable, this,
              &HttpTestServer::Accept);
    } else {
      server_ = new QTcpServer(this);
      connect(server_, &QTcpServer::pendingConnectionAvailable, this,
              &HttpTestServer::Accept);
    }
    server_->listen(QHostAddress::LocalHost, 0);
  }

  // The answer to `path`: a full response, or empty to keep the connection
  // open without answering.
  void Answer(const QByteArray& path, const QByteArray& response) {
    answers_[path] = response;
  }

  static QByteArray Response(const QByteArray& status, const QByteArray& body,
                             const QByteArray& headers = {}) {
    return "HTTP/1.1 " + status +
           "\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n" + headers + "\r\n" + body;
  }

  [[nodiscard]] QString Url(const QByteArray& path,
                            const char* scheme = "http") const {
    return QString("%1://127.0.0.1:%2%3")
        .arg(scheme)
        .arg(server_->serverPort())
        .arg(QString::fromLatin1(path));
  }
  [[nodiscard]] const QList<QByteArray>& Requests() const { return requests_; }
  [[nodiscard]] int OpenConnections() const { return open_; }

 private:
  void Accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
      ++open_;
      connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        --open_;
        socket->deleteLater();
      });
      connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        QByteArray& request = buffers_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n")) return;
        requests_ << request;
        const QByteArray path = request.split(' ').value(1);
        const QByteArray response =
            answers_.value(path, Response("404 Not Found", ""));
        if (response.isEmpty()) return;
        socket->write(response);
        socket->disconnectFromHost();
      });
    }
  }

  QTcpServer* server_ = nullptr;
  QMap<QByteArray, QByteArray> answers_;
  QMap<QTcpSocket*, QByteArray> buffers_;
  QList<QByteArray> requests_;
  int open_ = 0;
};
