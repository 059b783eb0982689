// The order confirmation against a real server: the kinds and firms it
// offers, the checks of "Evet", and the sending of the basket.

#include "data/clientdataset.h"
#include "server/serverconnection.h"
#include "server/servermethods.h"
#include "ui/basket/onaysip.h"
#include "ui/common/mesajgoster.h"

#include "demobackend.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QAbstractButton *secenek(QButtonGroup *group, const QString &text)
{
  for (QAbstractButton *b : group->buttons())
    if (b->text() == text)
      return b;
  return nullptr;
}

QStringList ogeler(const QComboBox *combo)
{
  QStringList items;
  for (int i = 0; i < combo->count(); ++i)
    items << combo->itemText(i);
  return items;
}

} // namespace

class TestOnaySip : public QObject {
  Q_OBJECT

  DemoBackend demo;
  ServerConnection bagc;
  TSonucBilgisi sbilgi;
  QStringList messages;
  int reloads = 0;

  SepetIslemi islem()
  {
    return {nullptr, bagc, sbilgi, [this] { ++reloads; }};
  }

  template <class Work> void sunucuda(Work work)
  {
    bagc.openOrThrow();
    TServerMethods1Client client(bagc);
    work(client);
    bagc.close();
  }
  wire::TableMap sepetVer()
  {
    wire::TableMap t;
    sunucuda([&](TServerMethods1Client &c) { t = c.SepetVer2(sbilgi.CARINO()); });
    return t;
  }
  wire::TableMap siparisler()
  {
    wire::TableMap t;
    sunucuda([&](TServerMethods1Client &c) { t = c.OncekiSiparisler(sbilgi.CARINO())->table(); });
    return t;
  }
  void secimleriYaz(int secim)
  {
    const wire::TableMap sepet = sepetVer();
    const int sirano = sepet.columnIndex("SIRANO");
    sunucuda([&](TServerMethods1Client &c) {
      for (const wire::Row &row : sepet.rows)
        c.SepetSecimGuncelle(row.at(sirano).toInt(), secim);
    });
  }
  // Chooses the cargo kind by name, as a click does.
  static void kargoTuruSec(TONAYSIP &d, const QString &name)
  {
    QAbstractButton *b = secenek(d.kargoSecim, name);
    QVERIFY(b);
    b->click();
  }

private slots:
  void initTestCase()
  {
    QString error;
    QVERIFY2(demo.start(100, 3, &error), qPrintable(error));
    bagc.setParam("Port", QString::number(demo.port()));
    bagc.setParam("ComputerId", "DEMO-BAYI-3");
    sunucuda([&](TServerMethods1Client &c) { sbilgi.Kopyala(*c.BuyukGetir("DEMO-BAYI-3")); });
    QCOMPARE(sbilgi.MusteriTipi(), 3);
    SetMesajGosterHook([this](const MessageRequest &r) {
      messages << r.text;
      return int(mrOk);
    });
  }
  void init()
  {
    messages.clear();
    reloads = 0;
  }
  void cleanup() { TONAYSIP::ExecHook = nullptr; }
  void cleanupTestCase()
  {
    SetMesajGosterHook(nullptr);
    demo.stop();
  }

  void opensWithTheSecondDeliveryKind()
  {
    TONAYSIP d(nullptr, bagc, "uyarı", sbilgi, "1.234,50");
    QCOMPARE(d.teslimSecim->buttons().size(), 4);
    QCOMPARE(d.teslimSecim->checkedButton(), d.teslimSecim->buttons().at(1));
    QCOMPARE(TONAYSIP::SeciliKimlik(d.teslimSecim), std::optional<int>(2));
    QCOMPARE(d.kargoSecim->buttons().size(), 3);
    QCOMPARE(d.kargoSecim->checkedButton(), nullptr);
    QCOMPARE(d.kargocombo->count(), 0);
    QCOMPARE(d.Label2->text(), QStringLiteral("Kullanıcı: BAYI\r\nCari     : ") + sbilgi.CariAdi() +
                                   QStringLiteral("\r\nTutar    : 1.234,50"));
    QCOMPARE(d.Label3->text(), QStringLiteral("uyarı"));
    QVERIFY(messages.isEmpty());
  }

  void cargoKindFillsTheFirms()
  {
    TONAYSIP d(nullptr, bagc, "", sbilgi, "0");
    kargoTuruSec(d, "Anlaşmalı Kargo");
    QCOMPARE(ogeler(d.kargocombo), (QStringList{" ", "Tarvesa Anlaşmalı Kargo"}));
    QCOMPARE(d.kargocombo->currentIndex(), 1);
    QCOMPARE(d.uyarikargo->text(),
             QStringLiteral("Anlaşmalı kargo ile 2.000 TL üzeri siparişlerde kargo ücretsizdir."));
    // Another kind: the note goes, the list is replaced, nothing is chosen.
    kargoTuruSec(d, "Alıcı Ödemeli");
    QCOMPARE(d.uyarikargo->text(), QString());
    QCOMPARE(ogeler(d.kargocombo), (QStringList{" ", "Yurtiçi Kargo", "Aras Kargo", "MNG Kargo"}));
    QCOMPARE(d.kargocombo->currentIndex(), 0);
    d.kargocombo->setCurrentIndex(2);
    QCOMPARE(d.uyarikargo->text(), QStringLiteral("Saat 16:00'dan sonraki siparişler ertesi gün çıkar."));
    QVERIFY(messages.isEmpty());
  }

  void evetChecksInOrder_data()
  {
    QTest::addColumn<bool>("delivery");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("firm");
    QTest::addColumn<QString>("message");
    QTest::newRow("no delivery kind") << false << "Alıcı Ödemeli"
                                      << "Aras Kargo"
                                      << "Lütfen Teslim Durumu Seçiniz !";
    QTest::newRow("no cargo kind") << true << ""
                                   << ""
                                   << "Lütfen Kargo Türünü Seçiniz !";
    QTest::newRow("blank firm") << true << "Alıcı Ödemeli"
                                << " "
                                << "Lütfen Kargo  Seçiniz !";
    QTest::newRow("all chosen") << true << "Alıcı Ödemeli"
                                << "Aras Kargo"
                                << "";
  }
  void evetChecksInOrder()
  {
    QFETCH(bool, delivery);
    QFETCH(QString, kind);
    QFETCH(QString, firm);
    QFETCH(QString, message);
    TONAYSIP d(nullptr, bagc, "", sbilgi, "0");
    if (!delivery) {
      d.teslimSecim->setExclusive(false);
      d.teslimSecim->checkedButton()->setChecked(false);
      d.teslimSecim->setExclusive(true);
    }
    if (!kind.isEmpty())
      kargoTuruSec(d, kind);
    if (!firm.isEmpty())
      d.kargocombo->setCurrentIndex(d.kargocombo->findText(firm));
    d.show();
    d.Button1->click();
    if (!message.isEmpty()) {
      QCOMPARE(messages, QStringList{message});
      QVERIFY(d.isVisible());
      QCOMPARE(d.result(), int(QDialog::Rejected));
      if (firm == " ")
        QCOMPARE(d.focusWidget(), d.kargocombo);
      return;
    }
    QVERIFY(messages.isEmpty());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.td, 2);
    QCOMPARE(d.kt, 1);
    QCOMPARE(d.KN, 2); // Aras Kargo
  }

  void nothingToSend_data()
  {
    QTest::addColumn<QString>("basket");
    QTest::newRow("not loaded") << "inactive";
    QTest::newRow("no lines") << "empty";
    QTest::newRow("no line marked") << "unmarked";
  }
  void nothingToSend()
  {
    QFETCH(QString, basket);
    ClientDataSet sepet;
    if (basket != "inactive") {
      wire::TableMap t = sepetVer();
      QVERIFY(!t.rows.isEmpty());
      if (basket == "empty")
        t.rows.clear();
      sepet.SetData(t);
      for (sepet.First(); !sepet.Eof(); sepet.Next()) {
        sepet.Edit();
        sepet.FieldByName("SEC")->SetAsInteger(0);
        sepet.Post();
      }
    }
    bool opened = false;
    TONAYSIP::ExecHook = [&](TONAYSIP &) {
      opened = true;
      return int(QDialog::Accepted);
    };
    QVERIFY(!SiparisGonder(islem(), sepet, "", "0"));
    QVERIFY(!opened);
    QCOMPARE(messages, QStringList{"Gönderilecek Parça Yok "});
  }

  void hayirSendsNothing()
  {
    ClientDataSet sepet;
    sepet.SetData(sepetVer());
    const int orders = siparisler().rows.size();
    TONAYSIP::ExecHook = [](TONAYSIP &d) {
      [&] { QCOMPARE(d.Label3->text(), QStringLiteral("Dikkat")); }();
      d.Button2->click();
      return d.result();
    };
    QVERIFY(!SiparisGonder(islem(), sepet, "Dikkat", "0"));
    QVERIFY(messages.isEmpty());
    QCOMPARE(reloads, 0);
    QCOMPARE(siparisler().rows.size(), orders);
  }

  // Marked on screen but no longer on the server: the save fails, the basket
  // stays as it is.
  void refusedSaveReportsAnError()
  {
    ClientDataSet sepet;
    sepet.SetData(sepetVer());
    secimleriYaz(0);
    TONAYSIP::ExecHook = [](TONAYSIP &d) {
      kargoTuruSec(d, "Anlaşmalı Kargo");
      d.Button1->click();
      return d.result();
    };
    QVERIFY(!SiparisGonder(islem(), sepet, "", "0"));
    secimleriYaz(1);
    QCOMPARE(messages, QStringList{"Sipariş Göndermede Hata"});
    QCOMPARE(reloads, 0);
  }

  void savedOrderReachesTheServer()
  {
    ClientDataSet sepet;
    sepet.SetData(sepetVer());
    const int lines = sepet.RecordCount();
    QVERIFY(lines > 0);
    const int orders = siparisler().rows.size();
    TONAYSIP::ExecHook = [](TONAYSIP &d) {
      kargoTuruSec(d, "Anlaşmalı Kargo");
      d.aciklamagir->setPlainText("Öğleden önce\nlütfen");
      d.Button1->click();
      return d.result();
    };
    QVERIFY(SiparisGonder(islem(), sepet, "", "0"));
    QCOMPARE(messages, QStringList{"Siparişiniz Gönderildi !"});
    QCOMPARE(reloads, 1);
    QCOMPARE(sepetVer().rows.size(), 0);
    ClientDataSet yeni;
    yeni.SetData(siparisler());
    QCOMPARE(yeni.RecordCount(), orders + 1);
    QVERIFY(yeni.Locate("VERENINNOTU", "Öğleden önce\nlütfen"));
    QCOMPARE(yeni.FieldByName("KARGOADI")->AsString(), QStringLiteral("Tarvesa Anlaşmalı Kargo"));
    QCOMPARE(yeni.FieldByName("TESLIM")->AsString(), QStringLiteral("Kargo ile Gönder"));
  }
};

QTEST_MAIN(TestOnaySip)
#include "tst_onaysip.moc"
