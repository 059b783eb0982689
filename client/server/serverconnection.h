#pragma once
// The configured connection to the application server (the program's `bagc`)
// and the session it opens: TCP connect, hello, then method calls, one at a
// time, on one socket.

#include <QCborArray>
#include <QMap>
#include <QString>

#include <memory>

class QTcpSocket;
namespace wire {
class FramedChannel;
}

class ServerConnection {
public:
  ServerConnection();
  ~ServerConnection();
  ServerConnection(const ServerConnection &) = delete;
  ServerConnection &operator=(const ServerConnection &) = delete;

  // Settings by name: "HostName", "Port", "CommunicationProtocol",
  // "DatasnapContext", "DSProxyPort", "Filters", and "ComputerId" (sent in
  // the hello).
  QString param(const QString &name) const { return params_.value(name); }
  void setParam(const QString &name, const QString &value) { params_[name] = value; }
  const QMap<QString, QString> &params() const { return params_; }
  QString connectionName() const { return QStringLiteral("DataSnapCONNECTION"); }
  QString driverName() const { return QStringLiteral("DataSnap"); }

  // Time allowed for connect + hello + answer.
  int openTimeoutMs() const { return openTimeoutMs_; }
  void setOpenTimeoutMs(int ms) { openTimeoutMs_ = ms; }
  // Time allowed for one call's answer.
  int callTimeoutMs() const { return callTimeoutMs_; }
  void setCallTimeoutMs(int ms) { callTimeoutMs_ = ms; }

  // A new connection with the same settings, not open, owned by the caller.
  std::unique_ptr<ServerConnection> clone() const;

  // Opens a session. Returns false and sets `error` when the server cannot be
  // reached or does not answer the hello within the open time-out. The socket
  // belongs to the calling thread until close().
  bool open(QString *error = nullptr);
  // The same, raising a RemoteError on failure.
  void openOrThrow();
  void close();
  bool isOpen() const;

  // Sends one method call and waits for its answer; returns the "out" array.
  // A server error answer raises RemoteError with the server's code; a broken
  // or garbled connection raises RemoteError("connection"/"protocol") and
  // closes the session.
  QCborArray call(const QString &commandText, const QCborArray &params);

  int openAttempts() const { return openAttempts_; }
  QString serverName() const { return serverName_; }

private:
  [[noreturn]] void failTransport(const QString &code, const QString &text);

  QMap<QString, QString> params_;
  int openTimeoutMs_ = 5000;
  int callTimeoutMs_ = 300000;
  std::unique_ptr<QTcpSocket> socket_;
  std::unique_ptr<wire::FramedChannel> channel_;
  qint64 nextId_ = 1;
  int openAttempts_ = 0;
  QString serverName_;
};
