#pragma once
// One server method command of a TServerMethods1Client: created and prepared
// on first use, then reused for every later call through the same client.
// It owns whatever its calls returned.

#include "server/clientref.h"

#include <QCborArray>
#include <QString>

#include <memory>
#include <vector>

class ServerConnection;
namespace wire {
struct MethodSignature;
}

class ServerCommand {
public:
  ServerCommand(ServerConnection &connection, const QString &methodName);

  QString CommandType() const { return QStringLiteral("DataSnap.ServerMethod"); }
  const QString &Text() const { return text_; } // "TServerMethods1." + method name

  // Looks the method up in the shared catalogue; the signature then checks
  // every answer's shape.
  void Prepare();
  bool IsPrepared() const { return signature_ != nullptr; }

  // Sends the input parameters by position; returns the output parameters in
  // declared order followed by the result.
  QCborArray Execute(const QCborArray &params);

  // Keeps a returned object, reader or stream for the command's lifetime.
  template <class T> ClientRef<T> Keep(std::shared_ptr<T> result)
  {
    owned_.push_back(result);
    return ClientRef<T>(result);
  }

private:
  ServerConnection &connection_;
  QString methodName_;
  QString text_;
  const wire::MethodSignature *signature_ = nullptr;
  std::vector<std::shared_ptr<void>> owned_;
};
