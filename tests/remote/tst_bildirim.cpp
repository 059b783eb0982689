// The client's notification channel against the server's: registration,
// notifications answered and passed on, and reconnecting after the server
// went away.

#include "server/bildirimkanali.h"

#include <appserver.h>
#include <methodregistry.h>
#include <notifier.h>

#include <QtTest>

#include <atomic>

class TestBildirim : public QObject {
  Q_OBJECT

private slots:
  void notificationsArriveAndTheChannelComesBack()
  {
    backend::MethodRegistry registry;
    backend::Notifier notifier;
    backend::ServerOptions options{QHostAddress::LocalHost, 0};
    options.notifier = &notifier;
    options.log = [](const QString &) {};
    auto server = std::make_unique<backend::ServerThread>(registry, options);
    QVERIFY(server->start());
    const quint16 port = server->port();

    std::atomic<int> notified{0};
    BildirimKanali kanal;
    BildirimKanali::Ayarlar ayarlar;
    ayarlar.host = QStringLiteral("127.0.0.1");
    ayarlar.port = port;
    ayarlar.computerId = QStringLiteral("DEMO-BAYI-3");
    ayarlar.firstRetryMs = 100;
    kanal.start(ayarlar, [&] { ++notified; });
    QTRY_VERIFY(kanal.registered());
    QTRY_COMPARE(notifier.channelCount(), 1);

    notifier.notifyAll(QCborValue(QStringLiteral("refresh")));
    notifier.notifyAll(QCborValue(QStringLiteral("refresh")));
    QTRY_COMPARE(notified.load(), 2);

    // The server goes away and comes back on the same port.
    server->stop();
    server.reset();
    QTRY_VERIFY(!kanal.registered());
    options.port = port;
    server = std::make_unique<backend::ServerThread>(registry, options);
    QVERIFY(server->start());
    QTRY_VERIFY_WITH_TIMEOUT(kanal.registered(), 10000);
    QCOMPARE(kanal.connections(), 2);
    QTRY_COMPARE(notifier.channelCount(), 1);
    notifier.notifyAll(QCborValue(QStringLiteral("refresh")));
    QTRY_COMPARE(notified.load(), 3);

    kanal.stop();
    QTRY_COMPARE(notifier.channelCount(), 0);
    server->stop();
  }
};

QTEST_GUILESS_MAIN(TestBildirim)
#include "tst_bildirim.moc"
