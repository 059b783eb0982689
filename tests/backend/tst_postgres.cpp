// The same server on PostgreSQL: schema, demo data, an order through the
// wire, and a notification posted by one server reaching another's channels.
// Runs when TARVESA_TEST_PG_URL names a database it may empty.

#include "server/serverconnection.h"
#include "server/servermethods.h"

#include <appserver.h>
#include <demo/demodata.h>
#include <methods/common.h>
#include <notifier.h>
#include <storage/storage.h>

#include <QSqlQuery>
#include <QtTest>

class TestPostgres : public QObject {
  Q_OBJECT

  QString url;

private slots:
  void initTestCase()
  {
    url = qEnvironmentVariable("TARVESA_TEST_PG_URL");
    if (!url.startsWith(QLatin1String("postgresql://")))
      QSKIP("PostgreSQL is not available: set TARVESA_TEST_PG_URL to postgresql://... (.ci/run starts a "
            "server)");
    try {
      backend::Storage wipe({{}, url});
      QSqlDatabase db = wipe.db();
      backend::exec(db, "DROP SCHEMA public CASCADE");
      backend::exec(db, "CREATE SCHEMA public");
    } catch (const std::exception &e) {
      QFAIL(e.what());
    }
  }

  void twoServersShareOneDatabase()
  {
    backend::Storage first({{}, url});
    backend::Storage second({{}, url});
    QString error;
    QVERIFY2(first.open(&error), qPrintable(error));
    QVERIFY2(second.open(&error), qPrintable(error)); // the schema is already there
    QCOMPARE(first.schemaVersion(), second.schemaVersion());
    backend::DemoOptions demo;
    demo.items = 300;
    demo.dealers = 5;
    QVERIFY2(backend::fillDemoDataIfEmpty(first, demo, &error), qPrintable(error));
    QVERIFY2(backend::fillDemoDataIfEmpty(second, demo, &error), qPrintable(error)); // nothing twice
    QCOMPARE(backend::scalar(second.db(), "SELECT COUNT(*) FROM stock_items").toInt(), 300);

    backend::ServerContext context{first};
    backend::MethodRegistry registry;
    backend::addAllMethods(registry, context);
    backend::ServerThread server(registry, backend::ServerOptions{QHostAddress::LocalHost, 0});
    QVERIFY(server.start());
    ServerConnection connection;
    connection.setParam("HostName", "127.0.0.1");
    connection.setParam("Port", QString::number(server.port()));
    connection.setParam("ComputerId", "DEMO-BAYI-3");
    QVERIFY(connection.open());
    {
      TServerMethods1Client client(connection);
      auto record = std::make_unique<TSonucBilgisi>();
      record->Kopyala(*client.BuyukGetir("DEMO-BAYI-3"));
      auto copy = [&] {
        auto c = std::make_unique<TSonucBilgisi>();
        c->Kopyala(*record);
        return c;
      };
      const wire::TableMap found = client.StokAraGetirTarvesa("fren", copy());
      QVERIFY(found.rows.size() > 0);
      const int stokno = found.rows[0].at(found.columnIndex("STOK_STOKNO")).toInt();
      QCOMPARE(client.SepetEkle2(copy(), 1, stokno, "", "", 3, 20, 0, 0, record->Sirano(), 0, 0, 0, 0), 1);
      QVERIFY(client.SiparisKaydet(copy(), 1, 1, 1, "pg", record->Sirano(), 1));
      QCOMPARE(client.SepetVer2(1).rows.size(), 0);
      const wire::TableMap orders = client.OncekiSiparisler(1)->table();
      QCOMPARE(orders.rows.at(0).at(orders.columnIndex("VERENINNOTU")).toString(), QStringLiteral("pg"));
    }
    connection.close();
    server.stop();

    // A notification posted through the second server's storage reaches the
    // channels of the first.
    backend::Notifier notifier;
    notifier.pollStorage(first);
    const auto inbox = notifier.subscribe();
    backend::postNotification(second, "refresh");
    notifier.pollStorage(first);
    QCOMPARE(inbox->take().size(), size_t(1));
  }
};

QTEST_MAIN(TestPostgres)
#include "tst_postgres.moc"
