#include "appserver.h"

#include "methodregistry.h"
#include "notifier.h"
#include "session.h"

#include <wire/frame.h>
#include <wire/value.h>

#include <QCborMap>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSemaphore>
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
  callPool_.setMaxThreadCount(qMax(1, options_.workerThreads));
  callPool_.setExpiryTimeout(-1); // keep the threads, and their database connections
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
  callPool_.waitForDone();
}

QCborMap AppServer::runCall(Session &session, const QCborValue &id, const QString &call,
                            const QCborValue &params)
{
  QCborMap answer;
  try {
    const QCborArray out = registry_.dispatch(session, call, params.toArray());
    answer.insert(QStringLiteral("id"), id);
    answer.insert(QStringLiteral("out"), out);
  } catch (const MethodError &e) {
    answer = errorAnswer(e.message, e.code, id);
  } catch (const std::exception &e) {
    answer = errorAnswer(QString::fromUtf8(e.what()), QStringLiteral("server"), id);
  }
  return answer;
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
  const bool isChannel = session.role == QLatin1String("channel");
  if (!isChannel && session.role != QLatin1String("methods")) {
    closeWithError(QStringLiteral("role \"%1\" is not served").arg(session.role), QStringLiteral("protocol"));
    return;
  }
  if (isChannel && !options_.notifier) {
    closeWithError(QStringLiteral("this server has no notification channel"), QStringLiteral("protocol"));
    return;
  }
  QCborMap welcome;
  welcome.insert(QStringLiteral("hello"), kHello);
  welcome.insert(QStringLiteral("version"), 1);
  welcome.insert(QStringLiteral("server"), options_.productName);
  if (!channel.send(welcome, 5000))
    return;
  if (isChannel) {
    serveChannel(channel, session, closeWithError);
    return;
  }

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
    // The call runs on a worker, which keeps its database connection between
    // calls; this thread waits for it.
    QCborMap answer;
    QSemaphore done;
    callPool_.start([&] {
      answer = runCall(session, id, call.toString(), params);
      done.release();
    });
    done.acquire();
    if (!channel.send(answer, 30000)) {
      log(QStringLiteral("%1: %2").arg(session.peer, channel.error()));
      return;
    }
  }
}

void AppServer::serveChannel(wire::FramedChannel &channel, Session &session,
                             const std::function<void(const QString &, const QString &)> &closeWithError)
{
  // Registration first.
  std::optional<QCborMap> message;
  QDeadlineTimer registerDeadline(options_.helloTimeoutMs);
  while (!stopping_ && !message) {
    message = channel.receive(kPollMs);
    if (!message && (!channel.timedOut() || channel.isProtocolError() || registerDeadline.hasExpired())) {
      if (channel.isProtocolError())
        closeWithError(channel.error(), QStringLiteral("protocol"));
      return;
    }
  }
  if (!message || !message->value(QStringLiteral("register")).isString()) {
    if (message)
      closeWithError(QStringLiteral("a channel must register first"), QStringLiteral("protocol"));
    return;
  }
  const QString name = message->value(QStringLiteral("register")).toString();
  QCborMap registered;
  registered.insert(QStringLiteral("registered"), name);
  if (!channel.send(registered, 5000))
    return;

  const std::shared_ptr<ChannelInbox> inbox = options_.notifier->subscribe();
  struct Unsubscribe {
    Notifier *notifier;
    std::shared_ptr<ChannelInbox> inbox;
    ~Unsubscribe() { notifier->unsubscribe(inbox); }
  } unsubscribe{options_.notifier, inbox};

  qint64 seq = 0;
  qint64 pingValue = 0;
  QDeadlineTimer quiet(options_.channelPingMs);
  std::optional<QDeadlineTimer> awaitingPong;
  while (!stopping_) {
    for (const QCborValue &payload : inbox->take()) {
      QCborMap notify;
      notify.insert(
          QStringLiteral("notify"),
          wire::embedJson(QJsonDocument(QJsonObject{{QStringLiteral("message"), payload.toString()}})
                              .toJson(QJsonDocument::Compact)));
      notify.insert(QStringLiteral("seq"), ++seq);
      if (!channel.send(notify, 5000)) {
        log(QStringLiteral("%1: channel lost: %2").arg(session.peer, channel.error()));
        return;
      }
    }
    const auto incoming = channel.receive(kPollMs);
    if (!incoming) {
      if (channel.isProtocolError()) {
        closeWithError(channel.error(), QStringLiteral("protocol"));
        return;
      }
      if (!channel.timedOut())
        return; // peer closed
      if (awaitingPong && awaitingPong->hasExpired()) {
        log(QStringLiteral("%1: channel dropped, no pong").arg(session.peer));
        return;
      }
      if (!awaitingPong && quiet.hasExpired()) {
        QCborMap ping;
        ping.insert(QStringLiteral("ping"), ++pingValue);
        if (!channel.send(ping, 5000))
          return;
        awaitingPong = QDeadlineTimer(options_.channelDropMs);
      }
      continue;
    }
    quiet.setRemainingTime(options_.channelPingMs);
    if (incoming->contains(QStringLiteral("pong"))) {
      awaitingPong.reset();
    } else if (incoming->contains(QStringLiteral("ping"))) {
      QCborMap pong;
      pong.insert(QStringLiteral("pong"), incoming->value(QStringLiteral("ping")));
      if (!channel.send(pong, 5000))
        return;
    } else if (incoming->contains(QStringLiteral("ack"))) {
      // The client has the notification; nothing more to do.
    } else if (incoming->contains(QStringLiteral("unregister"))) {
      return;
    } else {
      closeWithError(QStringLiteral("unknown channel message"), QStringLiteral("protocol"));
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
