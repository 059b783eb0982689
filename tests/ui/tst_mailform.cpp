// The mail form and the request form against a real server: what is
// checked before sending, what reaches the server's outbox, and the
// connection failure.

#include "server/baglantikur.h"
#include "server/serverconnection.h"
#include "ui/common/mesajgoster.h"
#include "ui/messaging/kullanicikayit.h"
#include "ui/messaging/mailform.h"

#include "demobackend.h"

#include <storage/storage.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class TestMailForm : public QObject {
  Q_OBJECT

  DemoBackend demo;
  ServerConnection bagc;
  TSonucBilgisi bilgi;
  QStringList messages;

  // The outbox rows of one kind, newest last, as (subject, body) pairs.
  QList<std::pair<QString, QJsonObject>> outbox(const QString &kind)
  {
    QList<std::pair<QString, QJsonObject>> rows;
    QSqlQuery q = backend::exec(demo.storage->db(),
                                "SELECT subject, body FROM outbox WHERE kind = ? ORDER BY id", {kind});
    while (q.next())
      rows.append({q.value(0).toString(), QJsonDocument::fromJson(q.value(1).toString().toUtf8()).object()});
    return rows;
  }

private slots:
  void initTestCase()
  {
    QString error;
    QVERIFY2(demo.start(50, 3, &error), qPrintable(error));
    qputenv("TARVESA_COMPUTER_ID", "DEMO-BAYI-3");
    bagc.setParam("Port", QString::number(demo.port()));
    bagc.setParam("ComputerId", "DEMO-BAYI-3");
    bilgi.SetADI("BAYI");
    bilgi.SetCariAdi("KARADENİZ OTO");
    SetMesajGosterHook([this](const MessageRequest &r) {
      messages.append(r.text);
      return int(mrOk);
    });
    SetBaglantiKurPause([](int) {});
  }
  void init() { messages.clear(); }
  void cleanupTestCase()
  {
    SetMesajGosterHook(nullptr);
    SetBaglantiKurPause(nullptr);
    demo.stop();
  }

  void commaText_data()
  {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text");
    QTest::newRow("a line with a blank is quoted")
        << QStringList{"Merhaba dünya", "Teşekkürler"} << "\"Merhaba dünya\",Teşekkürler";
    QTest::newRow("inner quotes doubled") << QStringList{"5\" jant"} << "\"5\"\" jant\"";
    QTest::newRow("a comma is quoted") << QStringList{"a,b", "c"} << "\"a,b\",c";
    QTest::newRow("a tab is quoted") << QStringList{"a\tb"} << "\"a\tb\"";
    QTest::newRow("an empty line stays empty") << QStringList{"x", "", "y"} << "x,,y";
  }
  void commaText()
  {
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    QCOMPARE(VirgulluMetin(lines), text);
  }

  void mailNeedsSubjectAndText_data()
  {
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("warning");
    QTest::newRow("subject of blanks") << "   "
                                       << "dolu"
                                       << "Lütfen Başlık Giriniz !";
    QTest::newRow("empty text") << "Konu"
                                << " \n "
                                << "Lütfen Konu Giriniz !";
  }
  void mailNeedsSubjectAndText()
  {
    QFETCH(QString, subject);
    QFETCH(QString, text);
    QFETCH(QString, warning);
    const int before = outbox("mail").size();
    Tmailform form(nullptr, bagc, bilgi);
    form.baslik->setText(subject);
    form.konu->setPlainText(text);
    form.Button2Click();
    QCOMPARE(messages, QStringList{warning});
    QVERIFY(!form.Gonderiliyor());
    QCOMPARE(outbox("mail").size(), before);
  }

  void mailReachesTheServerTwice()
  {
    Tmailform form(nullptr, bagc, bilgi);
    form.show();
    form.baslik->setText("Fatura sorusu");
    form.konu->setPlainText("Merhaba dünya\nTeşekkürler");
    const int before = outbox("mail").size();
    for (int round = 1; round <= 2; ++round) {
      form.Button2Click();
      QVERIFY(form.Gonderiliyor());
      form.Button1Click(); // "Kapat" waits for the send
      QVERIFY(form.isVisible());
      QTRY_VERIFY(!form.Gonderiliyor());
      QCOMPARE(messages.last(), QString("Mail Gönderildi !"));
      QCOMPARE(outbox("mail").size(), before + round);
    }
    const auto [subject, body] = outbox("mail").last();
    QCOMPARE(subject, QString("Fatura sorusu"));
    QCOMPARE(body.value("konu").toString(), QString("\"Merhaba dünya\",Teşekkürler"));
    QVERIFY(!body.value("firmaadi").toString().isEmpty()); // from the dealer card
    QCOMPARE(body.value("sifre").toString(), QString());   // the password stays out of mails
    form.Button1Click();
    QVERIFY(!form.isVisible());
  }

  void mailWithoutServerShowsOnlyTheConnectionMessage()
  {
    ServerConnection nowhere;
    nowhere.setParam("Port", "1");
    Tmailform form(nullptr, nowhere, bilgi);
    form.baslik->setText("Konu");
    form.konu->setPlainText("Metin");
    form.Button2Click();
    QTRY_VERIFY(!form.Gonderiliyor());
    QCOMPARE(messages, QStringList{kBaglantiKurulamiyor});
  }

  void requestFormIsPrefilled()
  {
    auto form = Tkullanicikayit::Ac(nullptr, bagc, bilgi);
    QCOMPARE(form->windowTitle(), QString("Şifre Değiştirme İsteği"));
    QCOMPARE(form->lblid->text(), QString("Bilgisayar ID: DEMO-BAYI-3"));
    QCOMPARE(form->kutu("kullaniciadi")->text(), QString("BAYI"));
    QCOMPARE(form->kutu("firmaadi")->text(), QString("KARADENİZ OTO"));
    QVERIFY(!form->kutu("adres1")->text().isEmpty());
    QVERIFY(!form->kutu("telefon")->text().isEmpty());
    QVERIFY(form->kutu("sifre")->text().isEmpty());
    QVERIFY(form->kutu("yetkili")->text().isEmpty());
  }

  void requestNeedsItsBoxes_data()
  {
    QTest::addColumn<QString>("emptied");
    QTest::addColumn<QString>("warning"); // empty: the request is sent
    for (const IstekAlani &alan : IstekAlanlari())
      QTest::newRow(alan.ad) << QString::fromLatin1(alan.ad) << QString::fromUtf8(alan.bosMesaji);
  }
  void requestNeedsItsBoxes()
  {
    QFETCH(QString, emptied);
    QFETCH(QString, warning);
    auto form = Tkullanicikayit::Yeni(nullptr, bagc, bilgi);
    for (const IstekAlani &alan : IstekAlanlari())
      form->kutu(alan.ad)->setText(QStringLiteral("değer ") + QLatin1String(alan.ad));
    form->kutu(emptied.toLatin1().constData())->setText("  ");
    const int before = outbox("request").size();
    form->Button2Click();
    if (warning.isEmpty()) {
      QCOMPARE(messages, QStringList{"İsteğiniz Gönderildi!"});
      QCOMPARE(outbox("request").size(), before + 1);
      const auto [subject, body] = outbox("request").last();
      QCOMPARE(subject, QString("B2B Yeni Kullanıcı İstek"));
      QCOMPARE(body.value("yetkili").toString(), QString("değer yetkili"));
      QCOMPARE(body.value(emptied).toString(), QString("  ")); // sent as typed
    } else {
      QCOMPARE(messages, QStringList{warning});
      QCOMPARE(outbox("request").size(), before);
    }
  }
};

QTEST_MAIN(TestMailForm)
#include "tst_mailform.moc"
