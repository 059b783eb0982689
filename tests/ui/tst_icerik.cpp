// The new-item, campaign and announcement tabs against a real server.

#include "server/async.h"
#include "server/baglantikur.h"
#include "server/servermethods.h"
#include "ui/basket/stokayarinti.h"
#include "ui/common/mesajgoster.h"
#include "ui/main/form1.h"
#include "widgets/datagrid.h"
#include "widgets/sayaclitabwidget.h"

#include "demobackend.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QtTest>

class TestIcerik : public QObject {
  Q_OBJECT

  DemoBackend demo;
  QStringList messages;

  void login(TForm1 &form, const QString &computer)
  {
    form.bagc.setParam("Port", QString::number(demo.port()));
    form.bagc.setParam("ComputerId", computer);
    ServerConnection c;
    c.setParam("Port", QString::number(demo.port()));
    c.setParam("ComputerId", computer);
    c.openOrThrow();
    TServerMethods1Client client(c);
    form.sbilgi.Kopyala(*client.BuyukGetir(computer));
    form.KullaniciTipiUygula();
  }

private slots:
  void initTestCase()
  {
    QString error;
    QVERIFY2(demo.start(300, 4, &error), qPrintable(error));
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
    Tstokayarinti::ExecHook = nullptr;
    demo.stop();
  }

  void newItemsOpenForTheBasket()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    form.sPageControl1->setCurrentWidget(form.syeniler);
    QTRY_VERIFY(form.cxGrid6->isEnabled() && form.YENILER.Active());
    QVERIFY(form.YENILER.RecordCount() > 0);
    QCOMPARE(form.sPageControl1->caption(form.syeniler),
             QString::number(form.YENILER.RecordCount()) + "=Yeni Stoklar");
    QCOMPARE(form.cxGrid6->footerText("BARKOD"), QString::number(form.YENILER.RecordCount()));
    QVERIFY(messages.isEmpty());

    QVERIFY(form.SepetiYenile());
    int row = -1;
    const int key = form.YENILER.FieldByName("STOK_STOKNO")->Index();
    for (int r = 0; r < form.YENILER.RecordCount() && row < 0; ++r)
      if (!form.sepet.Locate("STOKNO", form.YENILER.CellValue(r, key)))
        row = r;
    QVERIFY(row >= 0);
    const int stokno = form.YENILER.CellValue(row, key).toInt();
    int dialogStokno = -1;
    Tstokayarinti::ExecHook = [&](Tstokayarinti &d) {
      dialogStokno = d.stokno;
      return int(QDialog::Accepted);
    };
    form.cxGrid6->focusRow(row);
    form.StokSatiriAc(form.cxGrid6, form.YENILER);
    QCOMPARE(dialogStokno, stokno); // the new-item mode knows its item
    QVERIFY(form.sepet.Locate("STOKNO", stokno));
  }

  void campaignsFollowTheDealerType_data()
  {
    QTest::addColumn<QString>("computer");
    QTest::addColumn<bool>("campaigns");
    QTest::newRow("dealer") << "DEMO-BAYI-3" << true;
    QTest::newRow("dealer without campaigns") << "DEMO-BAYI-4" << false;
  }
  void campaignsFollowTheDealerType()
  {
    QFETCH(QString, computer);
    QFETCH(bool, campaigns);
    TForm1 form;
    login(form, computer);
    QCOMPARE(form.cxGrid6->isColumnShown("KAMPFIYAT"), campaigns);
    QCOMPARE(form.cxGrid6->column("K")->offered, campaigns);
    form.skampanyaliShow();
    QTRY_VERIFY(form.cxkampanyali->isEnabled() && form.kampstok.Active());
    QCOMPARE(form.kampstok.RecordCount() > 0, campaigns);
    if (campaigns) {
      // The price before the campaign comes with every row.
      const double before = form.kampstok.FieldByName("ESKIFIYAT")->AsFloat();
      QVERIFY(before >= form.kampstok.FieldByName("FIYAT")->AsFloat());
      QVERIFY(!form.cxkampanyali->cellText(0, form.cxkampanyali->columnIndex("ESKIFIYAT")).isEmpty());
    }
    QCOMPARE(form.sPageControl1->caption(form.skampanyali),
             QString::number(form.kampstok.RecordCount()) + "=Kampanyalı");
  }

  void staffSeeTheQuantities()
  {
    TForm1 form;
    login(form, "DEMO-SATIS-1");
    for (DataGrid *grid : {form.cxGrid6, form.cxkampanyali})
      for (const char *key : {"KALAN", "ALINANSIPARIS", "VERILENSIPARIS"})
        QVERIFY2(grid->isColumnShown(key), key);
  }

  void announcementsLeadWhereTheySay()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    form.sPageControl1->setCurrentWidget(form.sTabSheetduyuru);
    QTRY_VERIFY(form.cxGridduyuru->isEnabled() && form.cxGridduyuru->count() > 0);
    ServerConnection c;
    c.setParam("Port", QString::number(demo.port()));
    c.setParam("ComputerId", "DEMO-BAYI-3");
    c.openOrThrow();
    TServerMethods1Client client(c);
    QCOMPARE(form.cxGridduyuru->count(), client.AcilisReklamAdet());
    QVERIFY(!form.cxGridduyuru->item(0)->icon().isNull());
    form.AramaMetniniIzle("#KAMPANYA#");
    QCOMPARE(form.sPageControl1->currentWidget(), form.skampanyali);
    form.AramaMetniniIzle("#YENİ#");
    QCOMPARE(form.sPageControl1->currentWidget(), form.syeniler);
    form.AramaMetniniIzle("FREN");
    QCOMPARE(form.sPageControl1->currentWidget(), form.sstoklistesi);
    QCOMPARE(form.araedit->text(), QString("FREN"));
    QTRY_VERIFY(form.araedit->isEnabled() && form.stok.RecordCount() > 0);
    form.AramaMetniniIzle("   "); // a blank text leads nowhere
    QCOMPARE(form.sPageControl1->currentWidget(), form.sstoklistesi);
  }

  void unreachableServerKeepsTheListAndSaysSo()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    form.syenilerShow();
    QTRY_VERIFY(form.cxGrid6->isEnabled() && form.YENILER.Active());
    const int rows = form.YENILER.RecordCount();
    form.bagc.setParam("Port", "1");
    form.syenilerShow();
    QTRY_VERIFY(form.cxGrid6->isEnabled());
    QCOMPARE(messages, QStringList{kBaglantiKurulamiyor});
    QCOMPARE(form.YENILER.RecordCount(), rows);
    QCOMPARE(form.cxGrid6->view()->model()->rowCount(), rows);
  }
};

int main(int argc, char *argv[])
{
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  TestIcerik test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_icerik.moc"
