// The stock list as a user sees it: from Enter in the search box to the grid
// showing the rows, for searches of about 100, 1,000 and 10,000 rows, and the
// client's memory for the 10,000-row list.
//
//   build/bench/bench_stoklistesi [ITEMS] [RUNS]
//
// Starts a server in the process on a temporary database of ITEMS parts
// (default 200,000; filling takes a while), logs in as the demo dealer and
// drives the main window offscreen.

#include "server/servermethods.h"
#include "ui/main/form1.h"
#include "widgets/datagrid.h"

#include "../tests/support/demobackend.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

long rssKiB()
{
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly))
    return 0;
  for (const QByteArray &line : f.readAll().split('\n'))
    if (line.startsWith("VmRSS:"))
      return line.mid(6).trimmed().split(' ').first().toLong();
  return 0;
}

// Enter in the search box until the grid has painted the first page of rows.
double searchMs(TForm1 &form, const QString &text, int *rows)
{
  form.araedit->setText(text);
  QElapsedTimer timer;
  timer.start();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(form.araedit, &enter);
  while (!form.araedit->isEnabled())
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  form.cxGrid1->view()->viewport()->repaint();
  const double ms = timer.nsecsElapsed() / 1e6;
  *rows = form.cxGrid1->view()->model()->rowCount();
  return ms;
}

} // namespace

int main(int argc, char *argv[])
{
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  const int items = argc > 1 ? std::atoi(argv[1]) : 200000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;

  std::printf("filling %d parts...\n", items);
  std::fflush(stdout);
  DemoBackend demo;
  QString error;
  if (!demo.start(items, 5, &error)) {
    std::fprintf(stderr, "server: %s\n", qPrintable(error));
    return 1;
  }
  TForm1 form;
  const QString computer = QStringLiteral("DEMO-BAYI-3");
  form.bagc.setParam(QStringLiteral("Port"), QString::number(demo.port()));
  form.bagc.setParam(QStringLiteral("ComputerId"), computer);
  {
    ServerConnection c;
    c.setParam(QStringLiteral("Port"), QString::number(demo.port()));
    c.setParam(QStringLiteral("ComputerId"), computer);
    c.openOrThrow();
    TServerMethods1Client client(c);
    form.sbilgi.Kopyala(*client.BuyukGetir(computer));
  }
  form.KullaniciTipiUygula();
  form.resize(1920, 1080);
  form.show();
  QApplication::processEvents();

  // Find texts near each size among the catalogue's words.
  const QStringList candidates = {QStringLiteral("FREN BALATASI ARKA FIAT DOBLO"),
                                  QStringLiteral("FREN BALATASI ARKA"),
                                  QStringLiteral("AMORTISOR ON"),
                                  QStringLiteral("FILTRE"),
                                  QStringLiteral("FREN"),
                                  QStringLiteral("POLEN FILTRESI"),
                                  QStringLiteral("DOBLO"),
                                  QStringLiteral("YAG FILTRESI CLIO"),
                                  QStringLiteral("BOSCH"),
                                  QStringLiteral("ARKA"),
                                  QStringLiteral("SOL")};
  struct Found {
    QString text;
    int rows = 0;
  };
  std::vector<Found> found;
  for (const QString &text : candidates) {
    int rows = 0;
    searchMs(form, text, &rows);
    found.push_back({text, rows});
  }
  ServerConnection direct;
  direct.setParam(QStringLiteral("Port"), QString::number(demo.port()));
  direct.setParam(QStringLiteral("ComputerId"), computer);
  direct.openOrThrow();
  TServerMethods1Client directClient(direct);
  // The server's share: the same search called directly, without the window.
  const auto serverMs = [&](const QString &text) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
      auto bilgi = std::make_unique<TSonucBilgisi>();
      bilgi->Kopyala(form.sbilgi);
      QElapsedTimer t;
      t.start();
      directClient.StokAraGetirTarvesa(text, std::move(bilgi));
      times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
  };
  std::printf("%-32s %8s %10s %10s %10s %12s\n", "search", "rows", "p50 ms", "min ms", "max ms",
              "server p50");
  for (int target : {100, 1000, 10000}) {
    const auto best = std::min_element(found.begin(), found.end(), [&](const Found &a, const Found &b) {
      return std::abs(std::log(double(std::max(a.rows, 1)) / target)) <
             std::abs(std::log(double(std::max(b.rows, 1)) / target));
    });
    std::vector<double> times;
    int rows = 0;
    for (int i = 0; i < runs; ++i)
      times.push_back(searchMs(form, best->text, &rows));
    std::sort(times.begin(), times.end());
    std::printf("%-32s %8d %10.1f %10.1f %10.1f %12.1f\n", qPrintable(best->text), rows,
                times[times.size() / 2], times.front(), times.back(), serverMs(best->text));
    std::fflush(stdout);
  }
  // Memory of the largest list: the process with the list emptied, then
  // with it shown again (the server's caches are warm by now).
  const Found largest = *std::max_element(found.begin(), found.end(),
                                          [](const Found &a, const Found &b) { return a.rows < b.rows; });
  form.SpeedButton1Click();
  QApplication::processEvents();
  const size_t heapBefore = mallinfo2().uordblks;
  const long before = rssKiB();
  int rows = 0;
  searchMs(form, largest.text, &rows);
  const size_t heapAfter = mallinfo2().uordblks;
  const long after = rssKiB();
  std::printf(
      "memory of the %d-row list: %.1f MiB of heap in use (process RSS %ld KiB empty, %ld KiB shown)\n", rows,
      (double(heapAfter) - double(heapBefore)) / (1024.0 * 1024.0), before, after);
  demo.stop();
  return 0;
}
