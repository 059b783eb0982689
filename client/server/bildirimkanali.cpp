#include "server/bildirimkanali.h"

#include <wire/frame.h>
#include <wire/value.h>

#include <QCborMap>
#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QThread>

#include <optional>

namespace {
constexpr int kPollMs = 200;
}

BildirimKanali::~BildirimKanali()
{
  stop();
}

void BildirimKanali::start(Ayarlar ayarlar, std::function<void()> onNotify)
{
  stop();
  ayarlar_ = std::move(ayarlar);
  onNotify_ = std::move(onNotify);
  stopping_ = false;
  thread_ = std::thread([this] { run(); });
}

void BildirimKanali::stop()
{
  stopping_ = true;
  if (thread_.joinable())
    thread_.join();
  registered_ = false;
}

void BildirimKanali::run()
{
  int pause = ayarlar_.firstRetryMs;
  while (!stopping_) {
    if (serveOnce())
      pause = ayarlar_.firstRetryMs; // it worked for a while: start over with short pauses
    registered_ = false;
    // Wait before the next attempt, watching the stop flag.
    QDeadlineTimer wait(pause);
    while (!stopping_ && !wait.hasExpired())
      QThread::msleep(kPollMs / 4);
    pause = qMin(pause * 2, ayarlar_.lastRetryMs);
  }
}

bool BildirimKanali::serveOnce()
{
  QTcpSocket socket;
  socket.connectToHost(ayarlar_.host, ayarlar_.port);
  if (!socket.waitForConnected(5000))
    return false;
  wire::FramedChannel channel(&socket);
  QCborMap hello;
  hello.insert(QStringLiteral("hello"), QStringLiteral("tarvesa-b2b"));
  hello.insert(QStringLiteral("version"), 1);
  hello.insert(QStringLiteral("role"), QStringLiteral("channel"));
  hello.insert(QStringLiteral("computer"), ayarlar_.computerId);
  if (!channel.send(hello, 5000))
    return false;
  const auto welcome = channel.receive(5000);
  if (!welcome || welcome->contains(QStringLiteral("error")))
    return false;
  QCborMap registration;
  registration.insert(QStringLiteral("register"), ayarlar_.channelName);
  registration.insert(QStringLiteral("channel"), ayarlar_.channelName);
  registration.insert(QStringLiteral("manager"), ayarlar_.managerId);
  if (!channel.send(registration, 5000))
    return false;
  const auto registered = channel.receive(5000);
  if (!registered || registered->value(QStringLiteral("registered")).toString() != ayarlar_.channelName)
    return false;
  registered_ = true;
  ++connections_;

  qint64 pingValue = 0;
  QDeadlineTimer quiet(ayarlar_.quietPingMs);
  std::optional<QDeadlineTimer> awaitingPong;
  while (!stopping_) {
    const auto message = channel.receive(kPollMs);
    if (!message) {
      if (!channel.timedOut())
        return true; // broken or closed: reconnect
      if (awaitingPong && awaitingPong->hasExpired())
        return true;
      if (!awaitingPong && quiet.hasExpired()) {
        QCborMap ping;
        ping.insert(QStringLiteral("ping"), ++pingValue);
        if (!channel.send(ping, 5000))
          return true;
        awaitingPong = QDeadlineTimer(ayarlar_.pongWaitMs);
      }
      continue;
    }
    quiet.setRemainingTime(ayarlar_.quietPingMs);
    if (message->contains(QStringLiteral("notify"))) {
      // Answer true at once, then hand the refresh on; the value is not read.
      QCborMap ack;
      ack.insert(QStringLiteral("ack"), message->value(QStringLiteral("seq")));
      ack.insert(QStringLiteral("result"), wire::embedJson("true"));
      if (!channel.send(ack, 5000))
        return true;
      if (onNotify_)
        onNotify_();
    } else if (message->contains(QStringLiteral("ping"))) {
      QCborMap pong;
      pong.insert(QStringLiteral("pong"), message->value(QStringLiteral("ping")));
      if (!channel.send(pong, 5000))
        return true;
    } else if (message->contains(QStringLiteral("pong"))) {
      awaitingPong.reset();
    }
  }
  QCborMap bye;
  bye.insert(QStringLiteral("unregister"), ayarlar_.channelName);
  channel.send(bye, 1000);
  return true;
}
