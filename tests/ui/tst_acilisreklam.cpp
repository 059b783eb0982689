// The opening advertisements against a real server, the picture text and
// the search-text routing.

#include "server/async.h"
#include "server/baglantikur.h"
#include "server/serverconnection.h"
#include "server/servermethods.h"
#include "ui/common/mesajgoster.h"
#include "ui/content/acilisreklam.h"
#include "ui/content/banner.h"
#include "ui/content/resimmetni.h"

#include "demobackend.h"

#include <QBuffer>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestAcilisReklam : public QObject {
  Q_OBJECT

  DemoBackend demo;
  ServerConnection bagc;
  TSonucBilgisi bilgi;
  QStringList errors;

private slots:
  void initTestCase()
  {
    QString error;
    QVERIFY2(demo.start(50, 3, &error), qPrintable(error));
    bagc.setParam("Port", QString::number(demo.port()));
    bagc.setParam("ComputerId", "DEMO-BAYI-3");
    SetTopLevelErrorHandler([this](const QString &text) { errors.append(text); });
  }
  void init() { errors.clear(); }
  void cleanupTestCase() { demo.stop(); }

  void pictureText_data()
  {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("GIF signature") << "474946" << QByteArray("GIF");
    QTest::newRow("lower case digits") << "ffd8" << QByteArray("\xff\xd8", 2);
    QTest::newRow("odd length ends with one digit") << "414" << QByteArray("A\x04", 2);
    QTest::newRow("empty") << "" << QByteArray();
  }
  void pictureText()
  {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ResimMetniCoz(text), bytes);
  }

  void pictureTextNotHexIsAnError_data()
  {
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << "47GZ";
    QTest::newRow("sign") << "+1";
    QTest::newRow("blank") << "4 ";
  }
  void pictureTextNotHexIsAnError()
  {
    QFETCH(QString, text);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, ResimMetniCoz(text));
  }

  void routing_data()
  {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("route");
    QTest::newRow("campaigns") << "#KAMPANYA#" << int(AramaYonu::Kampanya);
    QTest::newRow("new items, dotted capital I") << "#YENİ#" << int(AramaYonu::Yeni);
    QTest::newRow("undotted is a search") << "#YENI#" << int(AramaYonu::StokArama);
    QTest::newRow("blank leads nowhere") << "   " << int(AramaYonu::Hicbiri);
    QTest::newRow("a part to search") << "FREN DİSKİ" << int(AramaYonu::StokArama);
    QTest::newRow("case matters") << "#kampanya#" << int(AramaYonu::StokArama);
  }
  void routing()
  {
    QFETCH(QString, text);
    QFETCH(int, route);
    QCOMPARE(int(AramaMetniYonu(text)), route);
  }

  void bannersDownloadWhole()
  {
    const std::pair<BannerMetodu, QByteArray> banners[] = {{&TServerMethods1Client::BannerResimVer, "gif"},
                                                           {&TServerMethods1Client::BannerResimVer2, "gif"},
                                                           {&TServerMethods1Client::BannerResimVer3, "bmp"}};
    for (const auto &[method, format] : banners) {
      const std::optional<QByteArray> bytes = BannerIndir(bagc, method);
      QVERIFY(bytes && !bytes->isEmpty());
      QBuffer buffer;
      buffer.setData(*bytes);
      QImageReader reader(&buffer);
      QCOMPARE(reader.format(), format);
      QVERIFY(!reader.read().isNull());
    }
  }

  void bannerWithoutServerIsNothing()
  {
    ServerConnection nowhere;
    nowhere.setParam("Port", "1");
    QStringList messages;
    SetMesajGosterHook([&](const MessageRequest &r) {
      messages.append(r.text);
      return int(mrOk);
    });
    SetBaglantiKurPause([](int) {});
    QVERIFY(!BannerIndir(nowhere, &TServerMethods1Client::BannerResimVer));
    SetMesajGosterHook(nullptr);
    SetBaglantiKurPause(nullptr);
    QCOMPARE(messages, QStringList{kBaglantiKurulamiyor});
  }

  void browsesTheAdvertisements()
  {
    Tacilisreklam dialog(nullptr, bagc, bilgi);
    dialog.REsimGoster(1);
    QTRY_VERIFY(!dialog.Yukleniyor());
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(" | ")));
    QVERIFY(dialog.adet >= 2);
    QCOMPARE(dialog.Label2->text(), "1 / " + QString::number(dialog.adet));
    QVERIFY(!dialog.Label1->text().isEmpty());
    const QString first = dialog.Label1->text();
    dialog.Button1Click(); // no advertisement before the first
    QCOMPARE(dialog.sirasi, 1);
    dialog.Button2Click();
    QVERIFY(dialog.Yukleniyor());
    dialog.Button2Click(); // ignored while loading
    QTRY_VERIFY(!dialog.Yukleniyor());
    QCOMPARE(dialog.sirasi, 2);
    QCOMPARE(dialog.Label2->text(), "2 / " + QString::number(dialog.adet));
    QVERIFY(dialog.Label1->text() != first);
    QTest::keyClick(&dialog, Qt::Key_Left);
    QTRY_VERIFY(!dialog.Yukleniyor());
    QCOMPARE(dialog.sirasi, 1);
    QCOMPARE(dialog.Label1->text(), first);
  }

  void closing_data()
  {
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("how"); // 0 click on the picture, 1 another key, 2 "Kapat"
    QTest::addColumn<int>("result");
    QTest::newRow("picture with a search text") << "#KAMPANYA#" << 0 << int(QDialog::Accepted);
    QTest::newRow("picture with a blank search text") << "  " << 0 << int(QDialog::Rejected);
    QTest::newRow("another key") << "#KAMPANYA#" << 1 << int(QDialog::Rejected);
    QTest::newRow("Kapat") << "#KAMPANYA#" << 2 << int(QDialog::Rejected);
  }
  void closing()
  {
    QFETCH(QString, search);
    QFETCH(int, how);
    QFETCH(int, result);
    Tacilisreklam dialog(nullptr, bagc, bilgi);
    dialog.show();
    QTRY_VERIFY(!dialog.Yukleniyor());
    dialog.arama = search;
    if (how == 0)
      QTest::mouseClick(dialog.cxImage1, Qt::LeftButton);
    else if (how == 1)
      QTest::keyClick(&dialog, Qt::Key_Escape);
    else
      dialog.Button1xxx->click();
    QCOMPARE(dialog.result(), result);
    QVERIFY(!dialog.isVisible());
  }

  void closingDuringALoadIsSafe()
  {
    auto dialog = std::make_unique<Tacilisreklam>(nullptr, bagc, bilgi);
    dialog->REsimGoster(1);
    dialog.reset(); // the load still runs and must not touch the freed dialog
    QTest::qWait(500);
    QVERIFY(errors.isEmpty());
  }
};

QTEST_MAIN(TestAcilisReklam)
#include "tst_acilisreklam.moc"
