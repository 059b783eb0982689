#include "server/servercommand.h"

#include "server/remoteerror.h"
#include "server/serverconnection.h"

#include <wire/catalogue.h>

ServerCommand::ServerCommand(ServerConnection &connection, const QString &methodName)
    : connection_(connection), methodName_(methodName), text_(wire::kCommandPrefix + methodName)
{
}

void ServerCommand::Prepare()
{
  signature_ = wire::findMethod(methodName_);
  if (!signature_)
    throw RemoteError(QStringLiteral("method"), QStringLiteral("Bilinmeyen sunucu metodu: %1").arg(text_));
}

QCborArray ServerCommand::Execute(const QCborArray &params)
{
  if (!IsPrepared())
    Prepare();
  QCborArray out = connection_.call(text_, params);
  const qsizetype expected = signature_->outputs().size() + (signature_->result ? 1 : 0);
  if (out.size() != expected)
    throw RemoteError(QStringLiteral("protocol"),
                      QStringLiteral("%1: %2 değer bekleniyordu, sunucu %3 değer döndürdü")
                          .arg(text_)
                          .arg(expected)
                          .arg(out.size()));
  return out;
}
