#include "server/serverconnection.h"

#include "server/remoteerror.h"

#include <wire/frame.h>

#include <QCborMap>
#include <QDeadlineTimer>
#include <QTcpSocket>

namespace {
const QString kHello = QStringLiteral("tarvesa-b2b");
constexpr int kProtocolVersion = 1;
} // namespace

ServerConnection::ServerConnection()
{
  params_ = {
      {QStringLiteral("CommunicationProtocol"), QStringLiteral("tcp/ip")},
      {QStringLiteral("HostName"), QStringLiteral("127.0.0.1")},
      {QStringLiteral("Port"), QStringLiteral("9090")},
      {QStringLiteral("DatasnapContext"), QStringLiteral("datasnap/")},
      {QStringLiteral("DSProxyPort"), QStringLiteral("8090")},
      {QStringLiteral("Filters"), QStringLiteral("{}")},
  };
}

ServerConnection::~ServerConnection()
{
  close();
}

std::unique_ptr<ServerConnection> ServerConnection::clone() const
{
  auto copy = std::make_unique<ServerConnection>();
  copy->params_ = params_;
  copy->openTimeoutMs_ = openTimeoutMs_;
  copy->callTimeoutMs_ = callTimeoutMs_;
  return copy;
}

bool ServerConnection::open(QString *error)
{
  close();
  ++openAttempts_;
  auto fail = [&](const QString &text) {
    if (error)
      *error = text;
    close();
    return false;
  };
  bool portOk = false;
  const int port = param(QStringLiteral("Port")).toInt(&portOk);
  if (!portOk || port <= 0 || port > 65535)
    return fail(QStringLiteral("invalid port \"%1\"").arg(param(QStringLiteral("Port"))));

  QDeadlineTimer deadline(openTimeoutMs_);
  socket_ = std::make_unique<QTcpSocket>();
  socket_->connectToHost(param(QStringLiteral("HostName")), quint16(port));
  if (!socket_->waitForConnected(int(qMax<qint64>(1, deadline.remainingTime()))))
    return fail(socket_->errorString());
  socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  channel_ = std::make_unique<wire::FramedChannel>(socket_.get());

  QCborMap hello;
  hello.insert(QStringLiteral("hello"), kHello);
  hello.insert(QStringLiteral("version"), kProtocolVersion);
  hello.insert(QStringLiteral("role"), QStringLiteral("methods"));
  hello.insert(QStringLiteral("computer"), param(QStringLiteral("ComputerId")));
  if (!channel_->send(hello, int(qMax<qint64>(1, deadline.remainingTime()))))
    return fail(channel_->error());
  const auto answer = channel_->receive(int(qMax<qint64>(1, deadline.remainingTime())));
  if (!answer)
    return fail(channel_->error());
  if (answer->contains(QStringLiteral("error")))
    return fail(answer->value(QStringLiteral("error")).toString());
  if (answer->value(QStringLiteral("hello")).toString() != kHello ||
      answer->value(QStringLiteral("version")).toInteger() != kProtocolVersion)
    return fail(QStringLiteral("the server did not answer the hello"));
  serverName_ = answer->value(QStringLiteral("server")).toString();
  return true;
}

void ServerConnection::openOrThrow()
{
  QString error;
  if (!open(&error))
    throw RemoteError(QStringLiteral("connection"), QStringLiteral("Sunucuya bağlanılamadı: %1").arg(error));
}

void ServerConnection::close()
{
  channel_.reset();
  if (socket_) {
    socket_->abort();
    socket_.reset();
  }
}

bool ServerConnection::isOpen() const
{
  return socket_ && channel_ && socket_->state() == QAbstractSocket::ConnectedState;
}

void ServerConnection::failTransport(const QString &code, const QString &text)
{
  close();
  throw RemoteError(code, QStringLiteral("Sunucu ile bağlantı kesildi: %1").arg(text));
}

QCborArray ServerConnection::call(const QString &commandText, const QCborArray &params)
{
  if (!isOpen())
    failTransport(QStringLiteral("connection"), QStringLiteral("the connection is not open"));
  const qint64 id = nextId_++;
  QCborMap request;
  request.insert(QStringLiteral("id"), id);
  request.insert(QStringLiteral("type"), QStringLiteral("DataSnap.ServerMethod"));
  request.insert(QStringLiteral("call"), commandText);
  request.insert(QStringLiteral("params"), params);
  if (!channel_->send(request, callTimeoutMs_))
    failTransport(QStringLiteral("connection"), channel_->error());
  const auto answer = channel_->receive(callTimeoutMs_);
  if (!answer)
    failTransport(channel_->isProtocolError() ? QStringLiteral("protocol") : QStringLiteral("connection"),
                  channel_->error());
  if (answer->value(QStringLiteral("id")).toInteger(-1) != id) {
    // A protocol error about the whole session comes without our id.
    if (answer->contains(QStringLiteral("error")))
      failTransport(QStringLiteral("protocol"), answer->value(QStringLiteral("error")).toString());
    failTransport(QStringLiteral("protocol"), QStringLiteral("answer for another call"));
  }
  if (answer->contains(QStringLiteral("error")))
    throw RemoteError(answer->value(QStringLiteral("code")).toString(),
                      answer->value(QStringLiteral("error")).toString());
  const QCborValue out = answer->value(QStringLiteral("out"));
  if (!out.isArray())
    failTransport(QStringLiteral("protocol"), QStringLiteral("answer without \"out\""));
  return out.toArray();
}
