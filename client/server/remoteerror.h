#pragma once
// Errors raised by the remote call layer. A pattern-A caller lets them reach
// the top-level error handler, which shows message(); pattern B turns them
// into its failure flag.

#include <QString>

#include <stdexcept>

class RemoteError : public std::runtime_error {
public:
  // code: "method", "params", "auth", "server" (the server's codes), or
  // "connection" / "protocol" for transport failures seen by the client.
  RemoteError(QString code, QString message)
      : std::runtime_error(message.toStdString()), code_(std::move(code)), message_(std::move(message))
  {
  }
  const QString &code() const { return code_; }
  const QString &message() const { return message_; }
  bool isTransportError() const
  {
    return code_ == QLatin1String("connection") || code_ == QLatin1String("protocol");
  }

private:
  QString code_;
  QString message_;
};
