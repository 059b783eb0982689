// The web host over real HTTP: pictures, the request form, the payment page
// and the setup download.

#include <demo/demodata.h>
#include <methods/common.h>
#include <storage/storage.h>
#include <webhost.h>

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

class TestWebHost : public QObject {
  Q_OBJECT

  QTemporaryDir dir;
  std::unique_ptr<backend::Storage> storage;
  std::unique_ptr<backend::ServerContext> context;
  std::unique_ptr<backend::WebHost> web;
  QNetworkAccessManager network;

  struct Answer {
    int status = 0;
    QByteArray type;
    QByteArray body;
  };

  Answer request(const QString &path, const QByteArray &post = {}, bool isPost = false)
  {
    QNetworkRequest r(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(web->port()).arg(path)));
    QNetworkReply *reply;
    if (isPost) {
      r.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
      reply = network.post(r, post);
    } else {
      reply = network.get(r);
    }
    QSignalSpy finished(reply, &QNetworkReply::finished);
    finished.wait(10000);
    Answer a{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
             reply->header(QNetworkRequest::ContentTypeHeader).toByteArray(), reply->readAll()};
    reply->deleteLater();
    return a;
  }

  int count(const QString &sql) { return backend::scalar(storage->db(), sql).toInt(); }

private slots:
  void initTestCase()
  {
    storage = std::make_unique<backend::Storage>(backend::StorageOptions{dir.path(), {}});
    QString error;
    QVERIFY2(storage->open(&error), qPrintable(error));
    backend::DemoOptions demo;
    demo.items = 200;
    demo.dealers = 5;
    QVERIFY2(backend::fillDemoDataIfEmpty(*storage, demo, &error), qPrintable(error));
    context = std::make_unique<backend::ServerContext>(backend::ServerContext{*storage});
    web = std::make_unique<backend::WebHost>(*context, backend::WebHostOptions{});
    QVERIFY2(web->listen(QHostAddress::LocalHost, 0, &error), qPrintable(error));
  }

  void picturesFollowTheSizeRule()
  {
    const int with = count("SELECT MIN(stokno) FROM stock_items WHERE has_picture = 1");
    const int without = count("SELECT MIN(stokno) FROM stock_items WHERE has_picture = 0");
    const Answer picture = request(QStringLiteral("/resimgoster.ashx?id=%1").arg(with));
    QCOMPARE(picture.status, 200);
    QCOMPARE(picture.type, QByteArray("image/jpeg"));
    QVERIFY(picture.body.size() >= 1200);
    QVERIFY(!QImage::fromData(picture.body, "JPEG").isNull());
    for (const QString &id : {QString::number(without), QStringLiteral("abc"), QStringLiteral("999999")})
      QVERIFY(request(QStringLiteral("/resimgoster.ashx?id=") + id).body.size() < 1200);
  }

  void theRequestFormPostsIntoTheOutbox()
  {
    const Answer form = request(QStringLiteral("/formmailgonder.aspx?carino=0&kullanici= &id=YENI-PC"));
    QCOMPARE(form.status, 200);
    QVERIFY(form.body.contains("name=\"firmaadi\""));
    QVERIFY(form.body.contains("value=\"YENI-PC\""));
    QCOMPARE(request("/formmailgonder.aspx", "id=YENI-PC&firmaadi=", true).status, 400);
    const Answer sent =
        request("/formmailgonder.aspx",
                "id=YENI-PC&firmaadi=%C3%96ZG%C3%9CR+OTO&telefon=0212+555&mail=a%40b.com", true);
    QCOMPARE(sent.status, 200);
    QSqlQuery q = backend::exec(storage->db(), "SELECT body FROM outbox WHERE computer_id = 'YENI-PC'");
    QVERIFY(q.next());
    QVERIFY(q.value(0).toString().contains(QStringLiteral("ÖZGÜR OTO")));
  }

  void aCardPaymentBecomesACollectionWithAReceipt()
  {
    const double before = backend::dealerBalance(*context, 2);
    const Answer page =
        request(QStringLiteral("/sanalpos.aspx?carino=2&sube=MERKEZ&firmasi=A & B OTO&bakiye=x"));
    QCOMPARE(page.status, 200);
    QVERIFY(page.body.contains("name=\"kartno\""));

    // A bad card is refused and records nothing.
    const int movements = count("SELECT COUNT(*) FROM account_movements");
    QCOMPARE(request("/sanalpos.aspx",
                     "carino=2&tutar=100&kartsahibi=A&kartno=4111111111111112&skt=12/40&cvc=123", true)
                 .status,
             400);
    QCOMPARE(request("/sanalpos.aspx",
                     "carino=2&tutar=100&kartsahibi=A&kartno=4111111111111111&skt=01/20&cvc=123", true)
                 .status,
             400);
    QCOMPARE(count("SELECT COUNT(*) FROM account_movements"), movements);

    const Answer paid = request(
        "/sanalpos.aspx",
        "carino=2&tutar=150,25&kartsahibi=Ali+Veli&kartno=4111+1111+1111+1111&skt=12/40&cvc=123", true);
    QCOMPARE(paid.status, 200);
    QCOMPARE(backend::dealerBalance(*context, 2), backend::round2(before - 150.25));
    QSqlQuery q = backend::exec(
        storage->db(),
        "SELECT p.sirano, m.kind, c.method FROM online_payments p JOIN account_movements m ON "
        "m.id = p.movement_id JOIN collections c ON c.movement_id = m.id ORDER BY p.sirano DESC");
    QVERIFY(q.next());
    QCOMPARE(q.value(1).toInt(), 2);
    QCOMPARE(q.value(2).toString(), QStringLiteral("Kredi Kartı"));
    backend::Session session;
    session.computer = "DEMO-BAYI-4"; // dealer 2
    const QByteArray pdf = backend::paymentReceipt(*context, session, q.value(0).toInt());
    QVERIFY(pdf.startsWith("%PDF"));
  }

  void theSetupProgramDownloads()
  {
    const Answer setup = request("/exe/TarvesaSetup.exe");
    QCOMPARE(setup.status, 200);
    QVERIFY(setup.body.startsWith("#!/bin/sh"));
  }
};

QTEST_MAIN(TestWebHost)
#include "tst_webhost.moc"
