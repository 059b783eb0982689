#include "appserver.h"

#include "methodregistry.h"
#include "session.h"

#include <wire/frame.h>

#include <QCborMap>
#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <cstdio>

namespace backend {

namespace {

constexpr int kPollMs = 200;
const QString kHello = QStringLiteral("tarvesa-b2b");

class Listener final : public QTcpServer {
public:
  explicit Listener(std::function<void(qintptr)> onConnection) : onConnection_(std::move(onConnection)) {}

protected:
  void incomingConnection(qintptr descriptor) override { onConnection_(descriptor); }

private:
  std::function<void(qintptr)> onConnection_;
};

QCborMap errorAnswer(const QString &text, const QString &code, const QCborValue &id = QCborValue())
{
  QCborMap answer;
  if (!id.isUndefined())
    answer.insert(QStringLiteral("id"), id);
  answer.insert(QStringLiteral("error"), text);
  answer.insert(QStringLiteral("code"), code);
  return answer;
}

} // namespace

AppServer::AppServer(const MethodRegistry &registry, ServerOptions options)
    : registry_(registry), options_(std::move(options))
{
}

AppServer::~AppServer()
{
  stop();
}

bool AppServer::start(QString *error)
{
  stopping_ = false;
  listener_ = std::make_unique<Listener>([this](qintptr d) { accept(d); });
  listener_->setMaxPendingConnections(128);
  if (!listener_->listen(options_.address, options_.port)) {
    if (error)
      *error = listener_->errorString();
    listener_.reset();
    return false;
  }
  return true;
}

quint16 AppServer::port() const
{
  return listener_ ? listener_->serverPort() : 0;
}

void AppServer::stop()
{
  stopping_ = true;
  if (listener_) {
    listener_->close();
    listener_.reset();
  }
  std::vector<Worker> workers;
  {
    std::lock_guard lock(threadsMutex_);
    workers.swap(workers_);
  }
  for (Worker &w : workers)
    if (w.thread.joinable())
      w.thread.join();
}

void AppServer::log(const QString &line) const
{
  if (options_.log)
    options_.log(line);
  else
    std::fprintf(stderr, "tarvesa-server: %s\n", qPrintable(line));
}

void AppServer::accept(qintptr descriptor)
{
  if (active_.load() >= options_.maxConnections) {
    QTcpSocket refused;
    refused.setSocketDescriptor(descriptor);
    refused.abort();
    log(QStringLiteral("connection refused: %1 connections already open").arg(options_.maxConnections));
    return;
  }
  ++active_;
  std::lock_guard lock(threadsMutex_);
  // Join the threads of connections that have ended.
  std::erase_if(workers_, [](Worker &w) {
    if (!w.done->load())
      return false;
    w.thread.join();
    return true;
  });
  auto done = std::make_shared<std::atomic<bool>>(false);
  workers_.push_back({std::thread([this, descriptor, done] {
                        serve(descriptor);
                        --active_;
                        *done = true;
                      }),
                      done});
}

void AppServer::serve(qintptr descriptor)
{
  QTcpSocket socket;
  if (!socket.setSocketDescriptor(descriptor)) {
    log(QStringLiteral("cannot take a connection: %1").arg(socket.errorString()));
    return;
  }
  socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
  Session session;
  session.peer = QStringLiteral("%1:%2").arg(socket.peerAddress().toString()).arg(socket.peerPort());
  wire::FramedChannel channel(&socket);

  auto closeWithError = [&](const QString &text, const QString &code) {
    log(QStringLiteral("%1: %2").arg(session.peer, text));
    channel.send(errorAnswer(text, code), 2000);
    socket.disconnectFromHost();
    if (socket.state() != QAbstractSocket::UnconnectedState)
      socket.waitForDisconnected(1000);
  };

  // Waits for the next message while watching the stop flag. Returns nullopt
  // when the connection ended; `failed` tells whether that was an error
  // already reported.
  auto nextMessage = [&](int limitMs, bool *failed) -> std::optional<QCborMap> {
    *failed = false;
    QDeadlineTimer deadline(limitMs);
    while (!stopping_) {
      auto message = channel.receive(kPollMs);
      if (message)
        return message;
      if (channel.isProtocolError()) {
        closeWithError(channel.error(), QStringLiteral("protocol"));
        *failed = true;
        return std::nullopt;
      }
      if (!channel.timedOut())
        return std::nullopt; // peer closed
      if (deadline.hasExpired()) {
        log(QStringLiteral("%1: closed after %2 ms without a message").arg(session.peer).arg(limitMs));
        *failed = true;
        return std::nullopt;
      }
    }
    return std::nullopt;
  };

  bool failed = false;
  const auto hello = nextMessage(options_.helloTimeoutMs, &failed);
  if (!hello)
    return;
  if (hello->value(QStringLiteral("hello")).toString() != kHello) {
    closeWithError(QStringLiteral("the first message must be a hello"), QStringLiteral("protocol"));
    return;
  }
  if (hello->value(QStringLiteral("version")).toInteger(-1) != 1) {
    closeWithError(QStringLiteral("protocol version %1 is not spoken here")
                       .arg(hello->value(QStringLiteral("version")).toInteger(-1)),
                   QStringLiteral("version"));
    return;
  }
  session.role = hello->value(QStringLiteral("role")).toString();
  session.computer = hello->value(QStringLiteral("computer")).toString();
  if (session.role != QLatin1String("methods")) {
    closeWithError(QStringLiteral("role \"%1\" is not served").arg(session.role), QStringLiteral("protocol"));
    return;
  }
  QCborMap welcome;
  welcome.insert(QStringLiteral("hello"), kHello);
  welcome.insert(QStringLiteral("version"), 1);
  welcome.insert(QStringLiteral("server"), options_.productName);
  if (!channel.send(welcome, 5000))
    return;

  while (!stopping_) {
    const auto request = nextMessage(options_.idleTimeoutMs, &failed);
    if (!request)
      return;
    const QCborValue id = request->value(QStringLiteral("id"));
    const QCborValue call = request->value(QStringLiteral("call"));
    const QCborValue params = request->value(QStringLiteral("params"));
    const QCborValue type = request->value(QStringLiteral("type"));
    if (!id.isInteger() || !call.isString() || !params.isArray() ||
        (!type.isUndefined() && type.toString() != QLatin1String("DataSnap.ServerMethod"))) {
      closeWithError(QStringLiteral("a call needs \"id\", \"call\" and \"params\""),
                     QStringLiteral("protocol"));
      return;
    }
    QCborMap answer;
    try {
      const QCborArray out = registry_.dispatch(session, call.toString(), params.toArray());
      answer.insert(QStringLiteral("id"), id);
      answer.insert(QStringLiteral("out"), out);
    } catch (const MethodError &e) {
      answer = errorAnswer(e.message, e.code, id);
    } catch (const std::exception &e) {
      answer = errorAnswer(QString::fromUtf8(e.what()), QStringLiteral("server"), id);
    }
    if (!channel.send(answer, 30000)) {
      log(QStringLiteral("%1: %2").arg(session.peer, channel.error()));
      return;
    }
  }
}

ServerThread::ServerThread(const MethodRegistry &registry, ServerOptions options)
    : thread_(std::make_unique<QThread>()), server_(std::make_unique<AppServer>(registry, std::move(options)))
{
  server_->moveToThread(thread_.get());
}

ServerThread::~ServerThread()
{
  stop();
}

bool ServerThread::start(QString *error)
{
  thread_->start();
  bool ok = false;
  QMetaObject::invokeMethod(
      server_.get(), [&] { ok = server_->start(error); }, Qt::BlockingQueuedConnection);
  return ok;
}

quint16 ServerThread::port() const
{
  return server_->port();
}

void ServerThread::stop()
{
  if (!thread_->isRunning())
    return;
  QMetaObject::invokeMethod(
      server_.get(), [&] { server_->stop(); }, Qt::BlockingQueuedConnection);
  thread_->quit();
  thread_->wait();
}

} // namespace backend
