// Stock search on a running server: time per search and rows returned.
//
//   build/bench/bench_search HOST:PORT [COMPUTER-ID] [TEXT...]
//
// Start the server with a large catalogue first, e.g.
//   build/bin/tarvesa-server --data-dir /tmp/big --items 1000000 --port 9191

#include "app/config.h"
#include "server/serverconnection.h"
#include "server/servermethods.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: bench_search HOST:PORT [COMPUTER-ID] [TEXT...]\n");
    return 2;
  }
  ServerAddress address;
  if (!ParseServerAddress(args[1], &address)) {
    std::fprintf(stderr, "bad address %s\n", qPrintable(args[1]));
    return 2;
  }
  const QString computer = args.value(2, QStringLiteral("DEMO-BAYI-3"));
  QStringList texts = args.mid(3);
  if (texts.isEmpty())
    texts = {QStringLiteral("869000012345"), QStringLiteral("BOS-100777"), QStringLiteral("FREN DİSKİ DOBLO"),
             QStringLiteral("AMORTİSÖR"), QStringLiteral("FİLTRE")};

  ServerConnection connection;
  connection.setParam(QStringLiteral("HostName"), address.host);
  connection.setParam(QStringLiteral("Port"), QString::number(address.port));
  connection.setParam(QStringLiteral("ComputerId"), computer);
  QString error;
  if (!connection.open(&error)) {
    std::fprintf(stderr, "cannot connect: %s\n", qPrintable(error));
    return 1;
  }
  TServerMethods1Client client(connection);
  auto account = client.BuyukGetir(computer);
  if (!account || !account->Varmi()) {
    std::fprintf(stderr, "%s has no account on this server\n", qPrintable(computer));
    return 1;
  }
  TSonucBilgisi record;
  record.Kopyala(*account);
  std::printf("%-24s %8s %10s %10s\n", "search", "rows", "best ms", "median ms");
  for (const QString &text : texts) {
    std::vector<double> ms;
    qsizetype rows = 0;
    for (int run = 0; run < 5; ++run) {
      auto copy = std::make_unique<TSonucBilgisi>();
      copy->Kopyala(record);
      QElapsedTimer timer;
      timer.start();
      rows = client.StokAraGetirTarvesa(text, std::move(copy)).rows.size();
      ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-24s %8lld %10.1f %10.1f\n", qPrintable(text), qlonglong(rows), ms.front(),
                ms[ms.size() / 2]);
  }
  return 0;
}
