#include "server/async.h"
#include "server/remoteerror.h"

#include <QSignalSpy>
#include <QThread>
#include <QtTest>

class TestAsync : public QObject {
  Q_OBJECT

  QStringList reported;

private slots:
  void initTestCase()
  {
    SetTopLevelErrorHandler([this](const QString &text) { reported.append(text); });
  }
  void init() { reported.clear(); }

  void workRunsOnAPoolThreadThenContinuesOnTheUiThread()
  {
    QThread *ui = QThread::currentThread();
    QThread *workThread = nullptr;
    QThread *thenThread = nullptr;
    bool workDoneBeforeThen = false;
    std::atomic<bool> workDone{false};
    Async([&] {
      workThread = QThread::currentThread();
      QThread::msleep(20);
      workDone = true;
    })->Await([&] {
      thenThread = QThread::currentThread();
      workDoneBeforeThen = workDone;
    });
    QVERIFY(!thenThread); // returns at once, before the continuation
    QTRY_VERIFY(thenThread);
    QVERIFY(workThread != ui);
    QCOMPARE(thenThread, ui);
    QVERIFY(workDoneBeforeThen);
    QVERIFY(reported.isEmpty());
  }

  void anEscapingErrorStillRunsTheContinuationThenReachesTheHandler()
  {
    QStringList order;
    Async([] { throw RemoteError("server", "Duyurular okunamadı"); })->Await([&] { order.append("then"); });
    QTRY_COMPARE(reported.size(), 1);
    QCOMPARE(order, QStringList{"then"});
    QCOMPARE(reported.first(), QStringLiteral("Duyurular okunamadı"));
  }

  void uiThreadHandOffFromAWorkerWaits()
  {
    QThread *ui = QThread::currentThread();
    QThread *ranOn = nullptr;
    bool finished = false;
    Async([&] {
      RunOnUiThreadAndWait([&] { ranOn = QThread::currentThread(); });
      finished = ranOn != nullptr; // already done when the wait returns
    })->Await([] {});
    QTRY_VERIFY(finished);
    QCOMPARE(ranOn, ui);
  }
};

QTEST_GUILESS_MAIN(TestAsync)
#include "tst_async.moc"
