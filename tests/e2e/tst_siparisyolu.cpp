// The road of an order through the client's own code against a real server:
// search, open a row, add it, open the same item again (change), mark it,
// send it with a delivery kind, cargo kind and firm, then see the basket
// reloaded and the order among the previous orders.

#include "server/async.h"
#include "server/servermethods.h"
#include "ui/basket/onaysip.h"
#include "ui/basket/stokayarinti.h"
#include "ui/common/excelkaydet.h"
#include "ui/common/formats.h"
#include "ui/common/mesajgoster.h"
#include "ui/main/form1.h"
#include "widgets/datagrid.h"
#include "widgets/sayaclitabwidget.h"

#include "demobackend.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

class TestSiparisYolu : public QObject {
  Q_OBJECT

  DemoBackend demo;
  QStringList messages;
  QStringList errors;

  void login(TForm1 &form, const QString &computer)
  {
    form.bagc.setParam("Port", QString::number(demo.port()));
    form.bagc.setParam("ComputerId", computer);
    ServerConnection c;
    c.setParam("Port", QString::number(demo.port()));
    c.setParam("ComputerId", computer);
    c.openOrThrow();
    TServerMethods1Client client(c);
    auto record = client.BuyukGetir(computer);
    QVERIFY(record);
    form.sbilgi.Kopyala(*record);
    form.KullaniciTipiUygula();
  }

  // Enter in the search box, then wait until the search has ended.
  void search(TForm1 &form, const QString &text)
  {
    form.araedit->setFocus();
    form.araedit->setText(text);
    QTest::keyClick(form.araedit, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(form.araedit->isEnabled(), 20000);
  }

private slots:
  void initTestCase()
  {
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QString error;
    QVERIFY2(demo.start(500, 3, &error), qPrintable(error));
    SetMesajGosterHook([this](const MessageRequest &r) {
      messages.append(r.text);
      return int(r.buttons & msgButtons({mbYes}) ? mrYes : mrOk);
    });
    SetTopLevelErrorHandler([this](const QString &text) { errors.append(text); });
  }
  void init() { messages.clear(); }
  void cleanupTestCase()
  {
    SetMesajGosterHook(nullptr);
    Tstokayarinti::ExecHook = nullptr;
    TONAYSIP::ExecHook = nullptr;
    demo.stop();
  }

  void roadOfAnOrder()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    form.resize(1600, 900);
    form.show();

    // Search: typed letters are folded, the tab counts the rows.
    form.sPageControl1->setCurrentWidget(form.ssepet);
    QTRY_VERIFY(form.sepet.Active());
    search(form, "fren diski");
    QCOMPARE(form.sPageControl1->currentWidget(), form.sstoklistesi);
    QVERIFY(messages.isEmpty());
    QVERIFY(form.stok.RecordCount() > 0);
    QCOMPARE(form.sPageControl1->caption(form.sstoklistesi),
             QString::number(form.stok.RecordCount()) + "=Stok Listesi");
    QCOMPARE(form.cxGrid1->view()->model()->rowCount(), form.stok.RecordCount());

    // A row not yet in the basket opens in add mode.
    int row = -1;
    for (int r = 0; r < form.stok.RecordCount() && row < 0; ++r) {
      const QVariant no = form.stok.CellValue(r, form.stok.FieldByName("STOK_STOKNO")->Index());
      if (!form.sepet.Locate("STOKNO", no))
        row = r;
    }
    QVERIFY(row >= 0);
    const int stokno = form.stok.CellValue(row, form.stok.FieldByName("STOK_STOKNO")->Index()).toInt();
    const int linesBefore = form.sepet.RecordCount();
    form.cxGrid1->focusRow(row);
    int shownQuantity = 0;
    Tstokayarinti::ExecHook = [&](Tstokayarinti &d) {
      shownQuantity = d.adet->value();
      d.adet->setValue(3);
      return int(QDialog::Accepted);
    };
    form.StokSatiriAc(form.cxGrid1, form.stok);
    QCOMPARE(shownQuantity, 1);
    QCOMPARE(form.sepet.RecordCount(), linesBefore + 1);
    QVERIFY(form.sepet.Locate("STOKNO", stokno));
    QCOMPARE(form.sepet.FieldByName("MIKTAR")->AsFloat(), 3.0);
    QCOMPARE(form.sPageControl1->caption(form.ssepet), QString::number(linesBefore + 1) + "=Sepet");

    // The same item again: change mode on its basket line, no second line.
    Tstokayarinti::ExecHook = [&](Tstokayarinti &d) {
      shownQuantity = d.adet->value();
      d.adet->setValue(5);
      return int(QDialog::Accepted);
    };
    form.cxGrid1->focusRow(row);
    form.StokSatiriAc(form.cxGrid1, form.stok);
    QCOMPARE(shownQuantity, 3);
    QCOMPARE(form.sepet.RecordCount(), linesBefore + 1);
    QVERIFY(form.sepet.Locate("STOKNO", stokno));
    QCOMPARE(form.sepet.FieldByName("MIKTAR")->AsFloat(), 5.0);

    // Mark only the new line: none, then a double click on its "Seç" cell.
    form.HepsiniSec(0);
    QCOMPARE(form.geneltoplaml->text(), QString("0,00"));
    QVERIFY(form.indiriml->isHidden());
    QVERIFY(form.sepet.Locate("STOKNO", stokno));
    const int lineRow = form.sepet.RecNo() - 1;
    form.SepetSatiriCiftTik(lineRow, "SEC");
    QCOMPARE(form.sepet.FieldByName("SEC")->AsInteger(), 1);
    const double expected =
        form.sepet.FieldByName("NETTUTAR")->AsFloat() + form.sepet.FieldByName("VERGITUTARI")->AsFloat();
    QCOMPARE(form.geneltoplaml->text(), FormatFloat(kParaBicimi, expected));

    // Send with a delivery kind, a cargo kind and a firm.
    QString shownTotal;
    bool preselected = false;
    TONAYSIP::ExecHook = [&](TONAYSIP &d) {
      shownTotal = d.Label2->text();
      preselected = TONAYSIP::SeciliKimlik(d.teslimSecim).has_value();
      d.kargoSecim->buttons().first()->click();
      d.boxkargoClick();
      if (d.kargocombo->currentIndex() <= 0)
        d.kargocombo->setCurrentIndex(1);
      d.aciklamagir->setPlainText("Acil lütfen");
      d.Button1Click();
      return d.result();
    };
    form.Button1Click();
    QVERIFY2(preselected, "a delivery kind is preselected");
    QVERIFY2(messages.contains("Siparişiniz Gönderildi !"), qPrintable(messages.join(" | ")));
    QVERIFY2(shownTotal.endsWith("Tutar    : " + FormatFloat(kParaBicimi, expected)), qPrintable(shownTotal));

    // The basket kept the unmarked lines only; the order is on the server.
    QCOMPARE(form.sepet.RecordCount(), linesBefore);
    QVERIFY(!form.sepet.Locate("STOKNO", stokno));
    QCOMPARE(form.sPageControl1->caption(form.ssepet), QString::number(linesBefore) + "=Sepet");
    ServerConnection c;
    c.setParam("Port", QString::number(demo.port()));
    c.setParam("ComputerId", "DEMO-BAYI-3");
    c.openOrThrow();
    TServerMethods1Client client(c);
    ClientDataSet orders;
    orders.CopyFromTable(client.OncekiSiparisler(form.sbilgi.CARINO())->table());
    bool found = false;
    for (orders.First(); !orders.Eof(); orders.Next())
      if (orders.FieldByName("VERENINNOTU")->AsString() == "Acil lütfen")
        found = qAbs(orders.FieldByName("NETTUTAR")->AsFloat() + orders.FieldByName("VERGI")->AsFloat() -
                     expected) < 0.011;
    QVERIFY2(found, "the order is among the previous orders with its total");
    QVERIFY(errors.isEmpty());
  }

  void shortSearchWarnsOnTheStockTab()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    form.sPageControl1->setCurrentWidget(form.sonceki);
    form.araedit->setText("  ab  ");
    form.SpeedButton2Click();
    QCOMPARE(messages, QStringList{"Lütfen en az 3 harf giriniz !"});
    QCOMPARE(form.sPageControl1->currentWidget(), form.sstoklistesi);
    QVERIFY(form.araedit->isEnabled());
  }

  void failedSearchEmptiesTheList()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    search(form, "FREN");
    QVERIFY(form.stok.RecordCount() > 0);
    form.bagc.setParam("Port", "1"); // nothing listens there
    search(form, "FREN");
    QCOMPARE(messages.last(), kBaglantiKurulamiyor);
    QCOMPARE(form.stok.RecordCount(), 0);
    QCOMPARE(form.sPageControl1->caption(form.sstoklistesi), QString("Stok Listesi"));
  }

  void deletingAskesFirst()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-4");
    QVERIFY(form.SepetiYenile());
    // Two lines to work with.
    search(form, "FILTRE");
    Tstokayarinti::ExecHook = [](Tstokayarinti &) { return int(QDialog::Accepted); };
    for (int r = 0; r < 2; ++r) {
      form.cxGrid1->focusRow(r);
      form.StokSatiriAc(form.cxGrid1, form.stok);
    }
    const int lines = form.sepet.RecordCount();
    QVERIFY(lines >= 2);

    // "Hayır" leaves the basket as it was.
    SetMesajGosterHook([this](const MessageRequest &r) {
      messages.append(r.text);
      return int(r.buttons & msgButtons({mbYes}) ? mrNo : mrOk);
    });
    form.cxGrid2->focusRow(0);
    form.SatirSil();
    form.HepsiniSil();
    QCOMPARE(form.sepet.RecordCount(), lines);
    QCOMPARE(messages, (QStringList{"Satırı silmek istiyor musunuz ", "Tüm Sepeti Silmek İstiyor musunuz "}));

    SetMesajGosterHook([this](const MessageRequest &r) {
      messages.append(r.text);
      return int(r.buttons & msgButtons({mbYes}) ? mrYes : mrOk);
    });
    messages.clear();
    form.cxGrid2->focusRow(0);
    form.SatirSil();
    QCOMPARE(form.sepet.RecordCount(), lines - 1);
    QCOMPARE(messages.last(), QString("Satır silindi !"));
    form.HepsiniSil();
    QCOMPARE(form.sepet.RecordCount(), 0);
    QCOMPARE(messages.last(), QString("Sepet Silindi !"));
    QCOMPARE(form.sPageControl1->caption(form.ssepet), QString("0=Sepet"));
    messages.clear();
    form.HepsiniSil(); // empty basket: asks nothing
    QVERIFY(messages.isEmpty());
  }

  void basketShownTwiceEndsUsable()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    form.ssepetShow();
    form.ssepetShow(); // the tab left and shown again before the first load ended
    QTRY_VERIFY(form.cxGrid2->isEnabled());
    QVERIFY(form.cxGrid2->isAttached());
    QVERIFY(form.cxGrid2->view()->updatesEnabled());
    QCOMPARE(form.cxGrid2->view()->model()->rowCount(), form.sepet.RecordCount());
    QCOMPARE(form.sPageControl1->caption(form.ssepet), QString::number(form.sepet.RecordCount()) + "=Sepet");
    QTRY_VERIFY(!form.lbluyarbakiye->text().isEmpty()); // the demo dealer has overdue payments
  }

  void basketExportsAsSpreadsheet_data()
  {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>(
        "reader"); // prints rows, the caption of column 6, whether cell (2, 7) is a number
    QTest::newRow("no extension: legacy workbook")
        << "sepet"
        << "sepet.xls"
        << "import sys, xlrd; s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0);"
           "print(s.nrows); print(s.cell_value(0, 5)); print(s.cell_type(1, 6) == xlrd.XL_CELL_NUMBER)";
    QTest::newRow("xlsx: Office Open XML workbook")
        << "sepet.xlsx"
        << "sepet.xlsx"
        << "import sys, openpyxl; s = openpyxl.load_workbook(sys.argv[1]).worksheets[0];"
           "print(s.max_row); print(s.cell(1, 6).value); print(isinstance(s.cell(2, 7).value, (int, float)))";
  }
  void basketExportsAsSpreadsheet()
  {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(QString, reader);
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    QVERIFY(form.SepetiYenile());
    QVERIFY(form.sepet.RecordCount() > 0);
    QTemporaryDir dir;
    QString asked;
    SetKayitDialoguHook([&](QWidget *, const QString &filter) {
      asked = filter;
      return dir.filePath(typed);
    });
    form.Button2Click();
    SetKayitDialoguHook(nullptr);
    QCOMPARE(asked, QString("Excel (*.xls*)"));
    QVERIFY(QFile::exists(dir.filePath(written)));
    // Debian's python3 with python3-xlrd and python3-openpyxl; a python3 of
    // the user's own may lack them.
    const QString interpreter = QFile::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    QProcess python;
    python.start(interpreter, {"-c", reader, dir.filePath(written)});
    QVERIFY(python.waitForFinished(30000));
    QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
    const QStringList out = QString::fromUtf8(python.readAllStandardOutput()).split('\n');
    QCOMPARE(out.value(0).toInt(), form.sepet.RecordCount() + 1);
    QCOMPARE(out.value(1), QString("Stok Açıklama"));
    QCOMPARE(out.value(2), QString("True")); // MIKTAR stays a number
  }
};

int main(int argc, char *argv[])
{
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  TestSiparisYolu test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_siparisyolu.moc"
