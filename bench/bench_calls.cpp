// Cost of a server call through our layer beside a bare TCP round trip on
// loopback, measured in the same run.
//
//   build/bench/bench_calls [iterations]
//
// Prints calls per second and p50/p99 latency for:
//   bare TCP round trip on an open socket       vs  a method call on an open session
//   bare TCP connect + round trip + close       vs  one operation as the client does it
//                                                   (connect, hello, call, close)

#include "server/baglantikur.h"
#include "server/serverconnection.h"
#include "server/servermethods.h"

#include <appserver.h>
#include <methodregistry.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

namespace {

constexpr int kMessageSize = 64;

// A bare echo server on its own thread: accepts one connection at a time and
// answers each 64-byte request with 64 bytes, with blocking reads.
class BareEchoServer {
public:
  void run()
  {
    thread_ = std::thread([this] {
      QTcpServer listener;
      listener.listen(QHostAddress::LocalHost, 0);
      port_ = listener.serverPort();
      while (!stop_) {
        if (!listener.waitForNewConnection(50))
          continue;
        while (QTcpSocket *socket = listener.nextPendingConnection()) {
          serve(*socket);
          delete socket;
        }
      }
    });
    while (port_ == 0)
      std::this_thread::yield();
  }
  quint16 port() const { return port_; }
  void stop()
  {
    stop_ = true;
    if (thread_.joinable())
      thread_.join();
  }

private:
  void serve(QTcpSocket &socket)
  {
    socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QByteArray buffer;
    while (!stop_) {
      if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(50)) {
        if (socket.state() != QAbstractSocket::ConnectedState)
          return;
        continue;
      }
      buffer += socket.readAll();
      while (buffer.size() >= kMessageSize) {
        socket.write(buffer.left(kMessageSize));
        buffer.remove(0, kMessageSize);
        socket.waitForBytesWritten(1000);
      }
    }
  }

  std::atomic<quint16> port_{0};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

struct Figures {
  double perSecond;
  double p50us;
  double p99us;
};

Figures measure(int iterations, const std::function<void()> &operation)
{
  std::vector<qint64> ns;
  ns.reserve(size_t(iterations));
  for (int i = 0; i < iterations / 20; ++i) // warm-up
    operation();
  QElapsedTimer total;
  total.start();
  for (int i = 0; i < iterations; ++i) {
    QElapsedTimer t;
    t.start();
    operation();
    ns.push_back(t.nsecsElapsed());
  }
  const double seconds = double(total.nsecsElapsed()) / 1e9;
  std::sort(ns.begin(), ns.end());
  return {iterations / seconds, double(ns[ns.size() / 2]) / 1000.0,
          double(ns[ns.size() * 99 / 100]) / 1000.0};
}

void print(const char *name, const Figures &f)
{
  std::printf("  %-44s %10.0f /s   p50 %8.1f us   p99 %8.1f us\n", name, f.perSecond, f.p50us, f.p99us);
}

void bareRoundTrip(QTcpSocket &socket)
{
  static const QByteArray request(kMessageSize, 'x');
  socket.write(request);
  socket.waitForBytesWritten(1000);
  qint64 got = 0;
  while (got < kMessageSize) {
    if (socket.bytesAvailable() == 0)
      socket.waitForReadyRead(1000);
    got += socket.read(kMessageSize - got).size();
  }
}

} // namespace

int main(int argc, char *argv[])
{
  QCoreApplication app(argc, argv);
  const int iterations = argc > 1 ? std::max(100, atoi(argv[1])) : 20000;
  const int connectIterations = std::max(100, iterations / 10);

  backend::MethodRegistry registry;
  backend::addBasicMethods(registry);
  backend::ServerThread server(registry, backend::ServerOptions{QHostAddress::LocalHost, 0});
  if (!server.start()) {
    std::fprintf(stderr, "cannot start the server\n");
    return 1;
  }
  BareEchoServer bare;
  bare.run();

  std::printf("Server calls on loopback (%d calls on open sockets, %d connect-call-close operations)\n",
              iterations, connectIterations);

  QTcpSocket open;
  open.connectToHost(QHostAddress::LocalHost, bare.port());
  open.waitForConnected(3000);
  open.setSocketOption(QAbstractSocket::LowDelayOption, 1);
  const Figures bareOpen = measure(iterations, [&] { bareRoundTrip(open); });
  open.disconnectFromHost();

  const Figures bareConnect = measure(connectIterations, [&] {
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, bare.port());
    s.waitForConnected(3000);
    s.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    bareRoundTrip(s);
    s.abort();
  });

  ServerConnection bagc;
  bagc.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
  bagc.setParam(QStringLiteral("Port"), QString::number(server.port()));
  BaglantiKur(bagc, 0);
  TServerMethods1Client session(bagc);
  const QString text(kMessageSize / 2, QLatin1Char('x'));
  const Figures callOpen = measure(iterations, [&] { session.EchoString(text); });
  bagc.close();

  const Figures operation = measure(connectIterations, [&] {
    if (!BaglantiKur(bagc, 0))
      std::abort();
    TServerMethods1Client client(bagc);
    client.EchoString(text);
    bagc.close();
  });

  print("bare TCP round trip, open socket", bareOpen);
  print("EchoString on an open session", callOpen);
  print("bare TCP connect + round trip + close", bareConnect);
  print("operation: connect, hello, EchoString, close", operation);
  std::printf(
      "  overhead: open-session call %.2fx bare round trip; operation %.2fx bare connect+round trip\n",
      callOpen.p50us / bareOpen.p50us, operation.p50us / bareConnect.p50us);

  bare.stop();
  server.stop();
  return 0;
}
