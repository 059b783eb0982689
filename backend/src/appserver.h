#pragma once
// The listener: accepts connections on the method port and serves each on a
// thread of its own with blocking frame I/O (hello, then calls in order).

#include <QHostAddress>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class QTcpServer;
class QThread;
class QCborMap;
class QCborValue;

namespace wire {
class FramedChannel;
}

namespace backend {

class MethodRegistry;
class Notifier;
struct Session;

struct ServerOptions {
  QHostAddress address = QHostAddress::Any;
  quint16 port = 9090;
  int helloTimeoutMs = 10000;
  int idleTimeoutMs = 15 * 60 * 1000; // a quiet method session is closed after this
  int maxConnections = 512;
  int workerThreads = 8;              // threads that run method calls, each with its own database connection
  int channelPingMs = 30000;          // a quiet channel is pinged after this
  int channelDropMs = 30000;          // and dropped when no pong follows within this
  class Notifier *notifier = nullptr; // channels are refused without one
  QString productName = QStringLiteral("tarvesa-server");
  // Where connection errors go (one line each); default: standard error.
  std::function<void(const QString &)> log;
};

class AppServer : public QObject {
  Q_OBJECT
public:
  AppServer(const MethodRegistry &registry, ServerOptions options);
  ~AppServer() override;

  // Starts listening; call on a thread with an event loop. Returns false and
  // sets `error` when the port cannot be bound.
  bool start(QString *error = nullptr);
  quint16 port() const;
  // Stops accepting, ends every connection and waits for their threads.
  void stop();

  int activeConnections() const { return active_.load(); }

private:
  void accept(qintptr descriptor);
  void serve(qintptr descriptor);
  void serveChannel(wire::FramedChannel &channel, Session &session,
                    const std::function<void(const QString &, const QString &)> &closeWithError);
  QCborMap runCall(Session &session, const QCborValue &id, const QString &call, const QCborValue &params);
  void log(const QString &line) const;

  const MethodRegistry &registry_;
  ServerOptions options_;
  std::unique_ptr<QTcpServer> listener_;
  QThreadPool callPool_;
  std::atomic<bool> stopping_{false};
  std::atomic<int> active_{0};
  std::mutex threadsMutex_;
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  std::vector<Worker> workers_;
};

// Runs an AppServer on a thread of its own: for tests, benchmarks and any
// program that wants the listener beside its own event loop.
class ServerThread {
public:
  ServerThread(const MethodRegistry &registry, ServerOptions options);
  ~ServerThread();
  bool start(QString *error = nullptr);
  quint16 port() const;
  void stop();

private:
  std::unique_ptr<QThread> thread_;
  std::unique_ptr<AppServer> server_;
};

} // namespace backend
