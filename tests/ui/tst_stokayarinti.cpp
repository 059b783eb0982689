// The stock detail dialog: the line calculation, the four opening modes
// against a real server (what the dialog shows, what reaches the basket),
// who may type a price, and the picture from the picture service.

#include "app/config.h"
#include "data/clientdataset.h"
#include "server/remoteerror.h"
#include "server/serverconnection.h"
#include "server/servermethods.h"
#include "ui/basket/stokayarinti.h"
#include "ui/common/mesajgoster.h"
#include "widgets/paraedit.h"

#include "demobackend.h"

#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<int>)

namespace {

// The quantity box's text as a user leaves it, bypassing its validator.
void adetYaz(Tstokayarinti &d, const QString &text)
{
  d.adet->findChild<QLineEdit *>()->setText(text);
}

// Moves to the first row for which `ok` holds; false when none does.
template <class Pred> bool satiraGit(ClientDataSet &ds, Pred ok)
{
  for (ds.First(); !ds.Eof(); ds.Next())
    if (ok())
      return true;
  return false;
}

// No test expects a message unless it says so.
int beklenmeyen(const MessageRequest &r)
{
  qWarning("unexpected message: %s", qPrintable(r.text));
  return mrOk;
}

} // namespace

class TestStokAyarinti : public QObject {
  Q_OBJECT

  DemoBackend demo;
  QHttpServer http;
  QMap<int, QByteArray> pictures; // picture service answers by stock number
  QMap<int, int> statuses;
  int pictureRequests = 0;

  struct Oturum {
    ServerConnection bagc;
    TSonucBilgisi sbilgi;
    int reloads = 0;
    SepetIslemi islem()
    {
      return {nullptr, bagc, sbilgi, [this] { ++reloads; }};
    }
  };

  std::unique_ptr<Oturum> oturum(const QString &computer, int carino = 0)
  {
    auto o = std::make_unique<Oturum>();
    o->bagc.setParam("Port", QString::number(demo.port()));
    o->bagc.setParam("ComputerId", computer);
    if (!o->bagc.open())
      return nullptr;
    {
      TServerMethods1Client client(o->bagc);
      o->sbilgi.Kopyala(*client.BuyukGetir(computer));
    }
    o->bagc.close();
    if (carino)
      o->sbilgi.SetCARINO(carino);
    return o;
  }

  wire::TableMap sepetVer(Oturum &o)
  {
    o.bagc.openOrThrow();
    TServerMethods1Client client(o.bagc);
    wire::TableMap t = client.SepetVer2(o.sbilgi.CARINO());
    o.bagc.close();
    return t;
  }
  wire::TableMap yenilerVer(Oturum &o)
  {
    o.bagc.openOrThrow();
    TServerMethods1Client client(o.bagc);
    wire::TableMap t = client.YenilerVer2(o.sbilgi.CARINO());
    o.bagc.close();
    return t;
  }
  wire::TableMap kampanyaVer(Oturum &o)
  {
    o.bagc.openOrThrow();
    TServerMethods1Client client(o.bagc);
    wire::TableMap t = client.KampanyaliVer2(o.sbilgi.CARINO(), o.sbilgi.MusteriTipi());
    o.bagc.close();
    return t;
  }
  // Stock rows that are not yet in the dealer's basket.
  void sepetteOlmayanaGit(Oturum &o, ClientDataSet &stok)
  {
    ClientDataSet sepet;
    sepet.SetData(sepetVer(o));
    QVERIFY(satiraGit(stok, [&] {
      return stok.FieldByName("K")->AsInteger() == 0 &&
             !sepet.Locate("STOKNO", stok.FieldByName("STOK_STOKNO")->AsInteger());
    }));
  }

private slots:
  void initTestCase()
  {
    QString error;
    QVERIFY2(demo.start(200, 3, &error), qPrintable(error));
    SetMesajGosterHook(beklenmeyen);
    http.route("/resimgoster.ashx", [this](const QHttpServerRequest &request) {
      ++pictureRequests;
      const int id = request.query().queryItemValue("id").toInt();
      return QHttpServerResponse("image/png", pictures.value(id),
                                 QHttpServerResponse::StatusCode(statuses.value(id, 200)));
    });
    const quint16 port = http.listen(QHostAddress::LocalHost, 0);
    QVERIFY(port);
    qputenv("TARVESA_WEB", QByteArray("http://127.0.0.1:") + QByteArray::number(port));
    SetAdresler(WebHostBase() + QStringLiteral("resimgoster.ashx?id="), WebHostBase());
  }
  void cleanupTestCase()
  {
    SetMesajGosterHook(nullptr);
    demo.stop();
  }
  void cleanup() { Tstokayarinti::ExecHook = nullptr; }

  void calculation_data()
  {
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<double>("price");
    QTest::addColumn<QList<double>>("rates");
    QTest::addColumn<double>("vat");
    QTest::addColumn<QList<double>>("expected"); // discount, net, unit, VAT-incl. unit, total
    QTest::newRow("two rates") << "2" << 100.0 << QList<double>{10, 5, 0, 0} << 18.0
                               << QList<double>{29, 171, 85.5, 100.89, 201.78};
    QTest::newRow("zero and negative rates skipped")
        << "2" << 100.0 << QList<double>{0, -5, 10, 0} << 18.0 << QList<double>{20, 180, 90, 106.2, 212.4};
    QTest::newRow("all four in order") << "1" << 1000.0 << QList<double>{10, 10, 10, 10} << 20.0
                                       << QList<double>{343.9, 656.1, 656.1, 787.32, 787.32};
    QTest::newRow("rate 100") << "3" << 50.0 << QList<double>{100, 5, 0, 0} << 18.0
                              << QList<double>{150, 0, 0, 0, 0};
    QTest::newRow("quantity 0") << "0" << 100.0 << QList<double>{10, 0, 0, 0} << 18.0
                                << QList<double>{0, 0, 0, 0, 0};
    QTest::newRow("not a number counts as 1")
        << "abc" << 100.0 << QList<double>{10, 0, 0, 0} << 18.0 << QList<double>{10, 90, 90, 106.2, 106.2};
    QTest::newRow("empty counts as 1")
        << "" << 80.0 << QList<double>{0, 0, 0, 0} << 0.0 << QList<double>{0, 80, 80, 80, 80};
    QTest::newRow("fraction counts as 1")
        << "2.5" << 80.0 << QList<double>{0, 0, 0, 0} << 0.0 << QList<double>{0, 80, 80, 80, 80};
    QTest::newRow("unit rounded before VAT") << "3" << 33.33 << QList<double>{7, 0, 0, 0} << 8.0
                                             << QList<double>{6.9993, 92.99, 31.0, 33.48, 100.44};
  }
  void calculation()
  {
    QFETCH(QString, quantity);
    QFETCH(double, price);
    QFETCH(QList<double>, rates);
    QFETCH(double, vat);
    QFETCH(QList<double>, expected);
    const SatirTutari t = SatirHesapla(quantity, price, {rates[0], rates[1], rates[2], rates[3]}, vat);
    QVERIFY(qAbs(t.indirim - expected[0]) < 1e-9);
    QCOMPARE(t.net, expected[1]);
    QCOMPARE(t.birim, expected[2]);
    QCOMPARE(t.kdvDahil, expected[3]);
    QCOMPARE(t.genel, expected[4]);
  }

  void quantitySent_data()
  {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("sent");
    QTest::newRow("whole number") << " 7 " << std::optional<int>(7);
    QTest::newRow("upper bound") << "10000" << std::optional<int>(10000);
    QTest::newRow("zero") << "0" << std::optional<int>();
    QTest::newRow("above the box") << "10001" << std::optional<int>();
    QTest::newRow("empty") << "" << std::optional<int>();
    QTest::newRow("letters") << "5a" << std::optional<int>();
  }
  void quantitySent()
  {
    QFETCH(QString, text);
    QFETCH(std::optional<int>, sent);
    QCOMPARE(GonderilecekAdet(text), sent);
  }

  void theBoxesFollowQuantityAndTypedPrice()
  {
    Tstokayarinti d(nullptr);
    d.ind1 = 10;
    d.ind2 = 5;
    d.kdvoran = 18;
    d.birimfiyat->setValue(100);
    d.adet->setValue(2);
    QCOMPARE(d.indtutar->text(), QStringLiteral("29.00"));
    QCOMPARE(d.kdvdahiltutar->text(), QStringLiteral("100.89"));
    QCOMPARE(d.geneltutar->text(), QStringLiteral("201.78"));
    // A price typed by staff counts from the next key release on.
    d.birimfiyat->setEditable(true);
    d.birimfiyat->setFocus();
    d.birimfiyat->selectAll();
    QTest::keyClicks(d.birimfiyat, "1,000.5");
    QCOMPARE(d.birimfiyat->value(), 1000.5);
    QCOMPARE(d.geneltutar->value(), SatirHesapla("2", 1000.5, {10, 5, 0, 0}, 18).genel);
    // Letters are not taken.
    QTest::keyClicks(d.birimfiyat, "x");
    QCOMPARE(d.birimfiyat->value(), 1000.5);
  }

  void enterInTheQuantityConfirms()
  {
    Tstokayarinti d(nullptr);
    d.birimfiyat->setEditable(true);
    d.show();
    QTest::keyClick(d.birimfiyat, Qt::Key_Return);
    QVERIFY(d.isVisible());
    QTest::keyClick(d.adet, Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
  }

  void changeModeWritesTheLine()
  {
    auto o = oturum("DEMO-BAYI-3");
    QVERIFY(o);
    ClientDataSet sepet;
    sepet.SetData(sepetVer(*o));
    QVERIFY(sepet.RecordCount() >= 2);
    sepet.SetRecNo(2);
    const int sirano = sepet.FieldByName("SIRANO")->AsInteger();
    const int miktar = sepet.FieldByName("MIKTAR")->AsInteger();
    const double fiyat = sepet.FieldByName("BIRIMFIYAT")->AsFloat();
    Tstokayarinti::ExecHook = [&](Tstokayarinti &d) {
      [&] {
        QCOMPARE(d.adet->value(), miktar);
        QCOMPARE(d.birimfiyat->value(), fiyat);
        QCOMPARE(d.adi->text(), sepet.FieldByName("STOKADI")->DisplayText());
        QCOMPARE(d.stokno, sepet.FieldByName("STOKNO")->AsInteger());
        QCOMPARE(d.ind1, sepet.FieldByName("INDIRIMORANI1")->AsFloat());
        QCOMPARE(d.Label2->text(), QStringLiteral("Fiyat:"));
        QCOMPARE(d.indirimoran->text(),
                 QStringLiteral("İndirim: %") + sepet.FieldByName("INDIRIMYAZI")->DisplayText());
        QCOMPARE(sepet.RecNo(), 2);
      }();
      adetYaz(d, QString::number(miktar + 4));
      return int(QDialog::Accepted);
    };
    SatirDegistir(o->islem(), sepet);
    QCOMPARE(o->reloads, 2); // after the change and once more
    ClientDataSet sonra;
    sonra.SetData(sepetVer(*o));
    QVERIFY(sonra.Locate("SIRANO", sirano));
    QCOMPARE(sonra.FieldByName("MIKTAR")->AsInteger(), miktar + 4);
    QCOMPARE(sonra.FieldByName("BIRIMFIYAT")->AsFloat(), fiyat);
  }

  void addFromStockList_data()
  {
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("added");
    QTest::newRow("confirmed") << "3" << int(QDialog::Accepted) << true;
    QTest::newRow("cancelled") << "3" << int(QDialog::Rejected) << false;
    QTest::newRow("quantity emptied") << "" << int(QDialog::Accepted) << false;
    QTest::newRow("quantity 0") << "0" << int(QDialog::Accepted) << false;
  }
  void addFromStockList()
  {
    QFETCH(QString, quantity);
    QFETCH(int, answer);
    QFETCH(bool, added);
    auto o = oturum("DEMO-BAYI-3");
    QVERIFY(o);
    ClientDataSet stok;
    stok.SetData(yenilerVer(*o));
    sepetteOlmayanaGit(*o, stok);
    const int stokno = stok.FieldByName("STOK_STOKNO")->AsInteger();
    const int before = sepetVer(*o).rows.size();
    Tstokayarinti::ExecHook = [&](Tstokayarinti &d) {
      adetYaz(d, quantity);
      return answer;
    };
    StokListesindenEkle(o->islem(), stok);
    ClientDataSet sepet;
    sepet.SetData(sepetVer(*o));
    QCOMPARE(sepet.RecordCount(), before + (added ? 1 : 0));
    QCOMPARE(o->reloads, added ? 1 : 0);
    QCOMPARE(sepet.Locate("STOKNO", stokno), added);
    if (added)
      QCOMPARE(sepet.FieldByName("MIKTAR")->AsInteger(), quantity.toInt());
  }

  // The new-item mode gets the stock number and the discount rates as the
  // stock list mode does, and the picture from the server.
  void newItemModeGetsNumberRatesAndPicture()
  {
    auto o = oturum("DEMO-BAYI-3");
    QVERIFY(o);
    ClientDataSet yeniler;
    yeniler.SetData(yenilerVer(*o));
    QVERIFY(satiraGit(yeniler, [&] {
      return yeniler.FieldByName("IND1")->AsFloat() > 0 && yeniler.FieldByName("RESIM")->AsInteger() == 1;
    }));
    bool seen = false;
    Tstokayarinti::ExecHook = [&](Tstokayarinti &d) {
      seen = true;
      [&] {
        QCOMPARE(d.stokno, yeniler.FieldByName("STOK_STOKNO")->AsInteger());
        QCOMPARE(d.ind1, yeniler.FieldByName("IND1")->AsFloat());
        QCOMPARE(d.ind2, yeniler.FieldByName("IND2")->AsFloat());
        QCOMPARE(d.ind3, yeniler.FieldByName("IND3")->AsFloat());
        QCOMPARE(d.ind4, yeniler.FieldByName("IND4")->AsFloat());
        QVERIFY(d.indtutar->value() > 0);
        QVERIFY(d.ResimVar());
      }();
      return int(QDialog::Rejected);
    };
    YenilerdenEkle(o->islem(), yeniler);
    QVERIFY(seen);
  }

  // A server error while adding reaches the caller; nothing is reloaded and
  // the connection is closed again.
  void serverErrorPropagates()
  {
    auto o = oturum("DEMO-SATIS-1", 999); // no such dealer
    QVERIFY(o);
    auto bayi = oturum("DEMO-BAYI-3");
    QVERIFY(bayi);
    ClientDataSet stok;
    stok.SetData(yenilerVer(*bayi));
    Tstokayarinti::ExecHook = [](Tstokayarinti &) { return int(QDialog::Accepted); };
    QVERIFY_THROWS_EXCEPTION(RemoteError, StokListesindenEkle(o->islem(), stok));
    QCOMPARE(o->reloads, 0);
    QVERIFY(!o->bagc.isOpen());
  }

  // A picture call the server refuses is reported as "<class>: <message>",
  // and the dialog still opens without the picture.
  void pictureErrorIsShownAndTheDialogOpens()
  {
    auto o = oturum("DEMO-BAYI-3");
    QVERIFY(o);
    ClientDataSet yeniler;
    yeniler.SetData(yenilerVer(*o));
    o->bagc.setParam("ComputerId", "BILINMEYEN-PC");
    QStringList shown;
    SetMesajGosterHook([&](const MessageRequest &r) {
      shown << r.text;
      return int(mrOk);
    });
    bool opened = false;
    Tstokayarinti::ExecHook = [&](Tstokayarinti &d) {
      opened = !d.ResimVar();
      return int(QDialog::Rejected);
    };
    KampanyadanEkle(o->islem(), yeniler);
    SetMesajGosterHook(beklenmeyen);
    QVERIFY(opened);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.at(0).startsWith("RemoteError: "), qPrintable(shown.at(0)));
    QVERIFY(!o->bagc.isOpen());
  }

  void captionsAndPriceRights_data()
  {
    QTest::addColumn<QString>("computer");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<QString>("priceCaption");
    QTest::addColumn<QString>("discountPrefix");
    QTest::newRow("dealer, stock list") << "DEMO-BAYI-3"
                                        << "stok" << false << "Fiyat:"
                                        << "İndirim: %";
    QTest::newRow("dealer, change") << "DEMO-BAYI-3"
                                    << "sepet" << false << "Fiyat:"
                                    << "İndirim: %";
    QTest::newRow("dealer, new items") << "DEMO-BAYI-3"
                                       << "yeni" << false << "Fiyat:"
                                       << "İndirim:  % ";
    QTest::newRow("dealer, campaign") << "DEMO-BAYI-3"
                                      << "kampanya" << false << "Kampanyalı Fiyat:"
                                      << "Kampanyalı ";
    QTest::newRow("staff, stock list") << "DEMO-SATIS-1"
                                       << "stok" << true << "Fiyat:"
                                       << "İndirim: %";
    QTest::newRow("staff, change") << "DEMO-SATIS-1"
                                   << "sepet" << true << "Fiyat:"
                                   << "İndirim: %";
    QTest::newRow("staff, new items") << "DEMO-SATIS-1"
                                      << "yeni" << true << "Fiyat:"
                                      << "İndirim:  % ";
    QTest::newRow("staff, campaign") << "DEMO-SATIS-1"
                                     << "kampanya" << false << "Kampanyalı Fiyat:"
                                     << "Kampanyalı ";
  }
  void captionsAndPriceRights()
  {
    QFETCH(QString, computer);
    QFETCH(QString, mode);
    QFETCH(bool, editable);
    QFETCH(QString, priceCaption);
    QFETCH(QString, discountPrefix);
    auto o = oturum(computer, 1);
    QVERIFY(o);
    ClientDataSet rows;
    rows.SetData(mode == "sepet" ? sepetVer(*o) : mode == "kampanya" ? kampanyaVer(*o) : yenilerVer(*o));
    QVERIFY(rows.RecordCount() > 0);
    if (mode == "stok" || mode == "yeni")
      QVERIFY(satiraGit(rows, [&] { return rows.FieldByName("K")->AsInteger() == 0; }));
    bool seen = false;
    Tstokayarinti::ExecHook = [&](Tstokayarinti &d) {
      seen = true;
      [&] {
        QCOMPARE(d.birimfiyat->isEditable(), editable);
        QVERIFY(!d.indtutar->isEditable());
        QVERIFY(!d.geneltutar->isEditable());
        QCOMPARE(d.Label2->text(), priceCaption);
        QCOMPARE(d.indirimoran->text(), discountPrefix + rows.FieldByName("INDIRIMYAZI")->DisplayText());
      }();
      return int(QDialog::Rejected);
    };
    const SepetIslemi islem = o->islem();
    if (mode == "sepet")
      SatirDegistir(islem, rows);
    else if (mode == "stok")
      StokListesindenEkle(islem, rows);
    else if (mode == "yeni")
      YenilerdenEkle(islem, rows);
    else
      KampanyadanEkle(islem, rows);
    QVERIFY(seen);
    QCOMPARE(o->reloads, 0);
  }

  void pictureService_data()
  {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("shown");
    QTest::newRow("1199 bytes") << 1199 << 200 << false;
    QTest::newRow("1200 bytes") << 1200 << 200 << true;
    QTest::newRow("error status") << 5000 << 404 << false;
  }
  void pictureService()
  {
    QFETCH(int, size);
    QFETCH(int, status);
    QFETCH(bool, shown);
    // A small picture padded with zeros: it decodes at either size, so only
    // the length decides.
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "PNG"));
    QVERIFY(png.size() < 1199);
    png.append(QByteArray(size - png.size(), '\0'));
    QVERIFY(!QImage::fromData(png).isNull());
    const int stokno = 5000 + size + status;
    pictures[stokno] = png;
    statuses[stokno] = status;

    Tstokayarinti d(nullptr);
    d.stokno = stokno;
    const int requests = pictureRequests;
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QTRY_VERIFY(pictureRequests > requests);
    if (shown) {
      QTRY_VERIFY(d.ResimVar());
    } else {
      QTest::qWait(300);
      QVERIFY(!d.ResimVar());
    }
  }
};

QTEST_MAIN(TestStokAyarinti)
#include "tst_stokayarinti.moc"
