// The dealer selection of sales staff against a real server: the counts,
// the lists, the card, choosing, leaving, and the reports as PDF files.

#include "app/kabuk.h"
#include "app/sonlandir.h"
#include "server/async.h"
#include "server/serverconnection.h"
#include "server/servermethods.h"
#include "ui/common/formats.h"
#include "ui/main/form1.h"
#include "ui/sales/raporform.h"
#include "ui/sales/seccari.h"
#include "ui/sales/tarihsec.h"
#include "widgets/datagrid.h"
#include "widgets/sayaclitabwidget.h"

#include "demobackend.h"

#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

class TestSecCari : public QObject {
  Q_OBJECT

  DemoBackend demo;
  QTemporaryDir home;
  ServerConnection bagc;
  TSonucBilgisi satici;
  QStringList opened;
  QStringList errors;

  TServerMethods1Client *direct(ServerConnection &c)
  {
    c.setParam("Port", QString::number(demo.port()));
    c.setParam("ComputerId", "DEMO-SATIS-1");
    c.openOrThrow();
    return new TServerMethods1Client(c);
  }

private slots:
  void initTestCase()
  {
    qputenv("HOME", home.path().toUtf8());
    QString error;
    QVERIFY2(demo.start(200, 6, &error), qPrintable(error));
    bagc.setParam("Port", QString::number(demo.port()));
    bagc.setParam("ComputerId", "DEMO-SATIS-1");
    ServerConnection c;
    std::unique_ptr<TServerMethods1Client> client(direct(c));
    satici.Kopyala(*client->BuyukGetir("DEMO-SATIS-1"));
    QCOMPARE(satici.MusteriTipi(), 1);
    SetKabuktaAcHook([this](const QString &path) {
      opened.append(path);
      return true;
    });
    SetTopLevelErrorHandler([this](const QString &text) { errors.append(text); });
  }
  void init()
  {
    opened.clear();
    errors.clear();
  }
  void cleanupTestCase()
  {
    SetKabuktaAcHook(nullptr);
    Ttarihsec::ExecHook = nullptr;
    demo.stop();
  }

  void searchText_data()
  {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");
    QTest::newRow("dotless i becomes i") << "KARADENıZ"
                                         << "KARADENiZ";
    QTest::newRow("blanks around dropped") << "  OTO  "
                                           << "OTO";
    QTest::newRow("empty lists every dealer") << "   "
                                              << "";
  }
  void searchText()
  {
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    QCOMPARE(CariAramaMetni(typed), sent);
  }

  void basketButtonCaption()
  {
    QCOMPARE(SepetTusuYazisi(0), QString());
    QCOMPARE(SepetTusuYazisi(-1), QString());
    QCOMPARE(SepetTusuYazisi(3), QString("3"));
    QVERIFY(RaporDosyasi(6, 100).endsWith("/rapor106.pdf"));
  }

  void countsComeFromTheServer()
  {
    TSonucBilgisi bilgi;
    bilgi.Kopyala(satici);
    Tseccari form(nullptr, bagc, bilgi);
    form.SepetSayisiYaz();
    form.TusSonuclari();
    ServerConnection c;
    std::unique_ptr<TServerMethods1Client> client(direct(c));
    auto copy = std::make_unique<TSonucBilgisi>();
    copy->Kopyala(satici);
    QCOMPARE(form.sepettus->text(), SepetTusuYazisi(client->SepetSayisi(std::move(copy))));
    copy = std::make_unique<TSonucBilgisi>();
    copy->Kopyala(satici);
    ClientRef<TTusSonuclari> counts = client->TusSonuclariVer(std::move(copy));
    QCOMPARE(form.alinditus->text(), QString::number(counts->Alindi()));
    QCOMPARE(form.sevktus->text(), QString::number(counts->SevkEdildi()));
  }

  void searchShowsDealersAndTheirCard()
  {
    TSonucBilgisi bilgi;
    bilgi.Kopyala(satici);
    Tseccari form(nullptr, bagc, bilgi);
    QVERIFY(!form.kart->isVisibleTo(&form));
    form.sBitBtn2Click();
    QVERIFY(form.CARILER.RecordCount() >= 6);
    QCOMPARE(form.cxGrid1->focusedRow(), 0);
    QVERIFY(form.kart->isVisibleTo(&form));
    QCOMPARE(form.carikod->text(), form.CARILER.FieldByName("CARIKOD")->AsString());
    QVERIFY(form.bakiye->text().endsWith(" " + form.CARILER.FieldByName("DURUM")->AsString()));
    QCOMPARE(form.cxGrid1->footerText("CARIKOD"), QString::number(form.CARILER.RecordCount()));
    // A narrower search; a status list.
    form.NEdit1->setText(form.CARILER.FieldByName("CARIKOD")->AsString());
    form.Ara();
    QCOMPARE(form.CARILER.RecordCount(), 1);
    form.DurumListesi(2);
    QVERIFY(form.CARILER.Active());
    QVERIFY(errors.isEmpty());
  }

  void choosingWritesTheLoginRecord()
  {
    TSonucBilgisi bilgi;
    bilgi.Kopyala(satici);
    Tseccari form(nullptr, bagc, bilgi);
    form.sBitBtn2Click();
    form.cxGrid1->focusRow(1);
    const int carino = form.CARILER.FieldByName("CARINO")->AsInteger();
    const QString name = form.CARILER.FieldByName("CARIADI")->AsString();
    QVERIFY(carino > 0);
    form.Button1Click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(bilgi.CARINO(), carino);
    QCOMPARE(bilgi.CariAdi(), name);
    QCOMPARE(bilgi.carikod(), form.CARILER.FieldByName("CARIKOD")->AsString());
  }

  void aRowWithoutDealerNumberIsNotChosen()
  {
    TSonucBilgisi bilgi;
    bilgi.Kopyala(satici);
    Tseccari form(nullptr, bagc, bilgi);
    wire::TableMap t;
    t.columns = {{"CARINO", wire::ColumnType::Int32}, {"CARIKOD", wire::ColumnType::Text, 20}};
    t.rows.append({0, QString("BOŞ")});
    form.CARILER.SetData(std::move(t));
    form.cxGrid1->focusRow(0);
    form.Button1Click();
    QCOMPARE(form.result(), 0);
    QCOMPARE(bilgi.CARINO(), satici.CARINO());
  }

  void leavingEndsTheProgram()
  {
    TSonucBilgisi bilgi;
    Tseccari form(nullptr, bagc, bilgi);
    int ended = -1;
    SetSonlandirHook([&](int code) { ended = code; });
    form.Button2Click();
    SetSonlandirHook(nullptr);
    QCOMPARE(ended, 0);
  }

  void reportsArriveAsPdf_data()
  {
    QTest::addColumn<int>("menu"); // 0 summary, 1 purchase/sales table, 2 collective due dates
    QTest::addColumn<int>("report");
    QTest::addColumn<bool>("rowDealer");
    QTest::newRow("Cari Özeti Göster") << 0 << 6 << true;
    QTest::newRow("Cari Alış Satış Tablosu (Satıcılı)") << 1 << 7 << true;
    QTest::newRow("Cari Toplu Alacak Vadeleri") << 2 << 6 << false;
  }
  void reportsArriveAsPdf()
  {
    QFETCH(int, menu);
    QFETCH(int, report);
    QFETCH(bool, rowDealer);
    TSonucBilgisi bilgi;
    bilgi.Kopyala(satici);
    Tseccari form(nullptr, bagc, bilgi);
    form.sBitBtn2Click();
    form.cxGrid1->focusRow(2);
    const int carino = rowDealer ? form.CARILER.FieldByName("CARINO")->AsInteger() : 0;
    bool twoDates = false;
    Ttarihsec::ExecHook = [&](Ttarihsec &d) {
      twoDates = d.DateTimePicker2->isVisibleTo(&d);
      return int(QDialog::Accepted);
    };
    const QString path = RaporDosyasi(report, carino);
    QFile::remove(path);
    if (menu == 0)
      form.C1Click();
    else if (menu == 1)
      form.CariAlSatTablosuSatcl1Click();
    else
      form.CariTopluAlacakVadeleri1Click();
    QCOMPARE(twoDates, menu == 1);
    QCOMPARE(opened, QStringList{path});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QVERIFY(errors.isEmpty());
  }

  void switchingTheDealerRefreshesTheMainWindow()
  {
    TForm1 form;
    form.bagc.setParam("Port", QString::number(demo.port()));
    form.bagc.setParam("ComputerId", "DEMO-SATIS-1");
    form.sbilgi.Kopyala(satici);
    form.KullaniciTipiUygula();
    QVERIFY(form.musteritus->isVisibleTo(&form));
    form.araedit->setText("FREN");
    QTest::keyClick(form.araedit, Qt::Key_Return);
    QTRY_VERIFY(form.araedit->isEnabled());
    QVERIFY(form.stok.RecordCount() > 0);
    QString chosen;
    Tseccari::ExecHook = [&](Tseccari &d) {
      d.sBitBtn2Click();
      d.cxGrid1->focusRow(3);
      chosen = d.CARILER.FieldByName("CARIADI")->AsString();
      d.Button1Click();
      return d.result();
    };
    form.musteritusClick();
    Tseccari::ExecHook = nullptr;
    QCOMPARE(form.sbilgi.CariAdi(), chosen);
    QCOMPARE(form.cariadilbl->text(), chosen);
    QCOMPARE(form.stok.RecordCount(), 0);
    QCOMPARE(form.sPageControl1->caption(form.sstoklistesi), QString("0=Stok Listesi"));
    QCOMPARE(form.sPageControl1->currentWidget(), form.sstoklistesi);
    QVERIFY(form.sepet.Active()); // the chosen dealer's basket
    QCOMPARE(form.sPageControl1->caption(form.ssepet), QString::number(form.sepet.RecordCount()) + "=Sepet");
  }

  void reportsOfReceivedOrdersAndSoldItems()
  {
    Traporform form(nullptr, bagc, satici);
    QCOMPARE(form.tarih1->date(), QDate::currentDate());
    QCOMPARE(form.tarih2->date(), QDate::currentDate());
    form.tarih1->setDate(QDate::currentDate().addYears(-1));
    form.Button1Click();
    QVERIFY(errors.isEmpty());
    QVERIFY(form.siparis.RecordCount() > 0);
    QVERIFY(!form.stok.Active()); // the other tab waits for its own "Göster"
    QVERIFY(form.cxGrid1->topLevelItemCount() > 0);
    int orders = 0;
    for (int g = 0; g < form.cxGrid1->topLevelItemCount(); ++g) {
      QTreeWidgetItem *group = form.cxGrid1->topLevelItem(g);
      QVERIFY(!group->isExpanded());
      double sum = 0;
      for (int c = 0; c < group->childCount(); ++c)
        sum = IkiHaneYuvarla(sum + QLocale().toDouble(group->child(c)->text(3)));
      QCOMPARE(group->text(3), FormatFloat(kParaBicimi, sum));
      QVERIFY(group->text(0).endsWith(QStringLiteral("(%1)").arg(group->childCount())));
      orders += group->childCount();
    }
    QCOMPARE(orders, form.siparis.RecordCount());
    form.sayfalar->setCurrentWidget(form.tabstok);
    form.Button1Click();
    QVERIFY(form.stok.RecordCount() > 0);
    QCOMPARE(form.stok.RecNo(), 1);
    QVERIFY(!form.cxGrid2->footerText("TUTAR").isEmpty());
  }

  void cancelledDateSendsNothing()
  {
    TSonucBilgisi bilgi;
    bilgi.Kopyala(satici);
    Tseccari form(nullptr, bagc, bilgi);
    form.sBitBtn2Click();
    Ttarihsec::ExecHook = [](Ttarihsec &) { return int(QDialog::Rejected); };
    form.C1Click();
    form.CariTopluAlacakVadeleri1Click();
    QVERIFY(opened.isEmpty());
  }
};

int main(int argc, char *argv[])
{
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  TestSecCari test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_seccari.moc"
