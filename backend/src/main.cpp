// tarvesa-server: the application server of the ordering client.
//   tarvesa-server [--data-dir DIR] [--port N] [--http-port N]
// Serves in the foreground until SIGTERM or SIGINT.

#include "appserver.h"
#include "methodregistry.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

bool parsePort(const QString &text, quint16 *port)
{
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < 0 || value > 65535)
    return false;
  *port = quint16(value);
  return true;
}

} // namespace

int main(int argc, char *argv[])
{
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tarvesa-server"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Tarvesa Otomotiv B2B application server"));
  parser.addHelpOption();
  const QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("Folder of the server's data."),
                                   QStringLiteral("DIR"), QStringLiteral("tarvesa-data"));
  const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port of the method server (9090)."),
                                QStringLiteral("N"), QStringLiteral("9090"));
  const QCommandLineOption httpPort(QStringLiteral("http-port"),
                                    QStringLiteral("Port of the web host (8080)."), QStringLiteral("N"),
                                    QStringLiteral("8080"));
  parser.addOptions({dataDir, port, httpPort});
  parser.process(app);

  backend::ServerOptions options;
  quint16 httpPortNumber = 0;
  if (!parsePort(parser.value(port), &options.port) || !parsePort(parser.value(httpPort), &httpPortNumber)) {
    std::fprintf(stderr, "tarvesa-server: a port must be a number from 0 to 65535\n");
    return 2;
  }
  if (!QDir().mkpath(parser.value(dataDir))) {
    std::fprintf(stderr, "tarvesa-server: cannot create the data folder %s\n",
                 qPrintable(parser.value(dataDir)));
    return 1;
  }

  backend::MethodRegistry registry;
  backend::addBasicMethods(registry);

  backend::AppServer server(registry, options);
  QString error;
  if (!server.start(&error)) {
    std::fprintf(stderr, "tarvesa-server: cannot listen on port %u: %s\n", unsigned(options.port),
                 qPrintable(error));
    return 1;
  }
  std::fprintf(stderr, "tarvesa-server: serving methods on port %u\n", unsigned(server.port()));

  // SIGTERM/SIGINT end the event loop through a pipe; the handler itself does
  // nothing but write one byte.
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
    std::perror("tarvesa-server: socketpair");
    return 1;
  }
  QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&] {
    char byte;
    [[maybe_unused]] const auto r = ::read(signalPipe[0], &byte, 1);
    QCoreApplication::quit();
  });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  const int result = app.exec();
  server.stop();
  std::fprintf(stderr, "tarvesa-server: stopped\n");
  return result;
}
