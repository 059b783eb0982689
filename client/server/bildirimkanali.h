#pragma once
// The client's end of the server notification channel: registers the
// callback under the channel's name, answers every notification with true at
// once, answers pings, pings a quiet server, and reconnects after a broken
// channel with a growing pause (1 s doubling up to 60 s). Runs on a thread of
// its own; the callback is called on that thread.

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class BildirimKanali {
public:
  struct Ayarlar {
    QString host;
    quint16 port = 9090;
    QString computerId;
    QString channelName = QStringLiteral("Kelmora");
    QString managerId = QStringLiteral("KelmoraId");
    int quietPingMs = 30000; // ping the server after this long without a message
    int pongWaitMs = 30000;  // and reconnect when no pong follows within this
    int firstRetryMs = 1000;
    int lastRetryMs = 60000;
  };

  BildirimKanali() = default;
  ~BildirimKanali();
  BildirimKanali(const BildirimKanali &) = delete;
  BildirimKanali &operator=(const BildirimKanali &) = delete;

  // `onNotify` runs on the channel's thread for every notification, after
  // the answer went out.
  void start(Ayarlar ayarlar, std::function<void()> onNotify);
  void stop();
  bool registered() const { return registered_; }
  int connections() const { return connections_; }

private:
  void run();
  bool serveOnce(); // one connection; false when it never registered

  Ayarlar ayarlar_;
  std::function<void()> onNotify_;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> registered_{false};
  std::atomic<int> connections_{0};
  std::thread thread_;
};
