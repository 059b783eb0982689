// Order history against a real server: the previous orders tab, the order
// detail window with its totals and footer, the order movements window for
// the dealer and for one stock item, and the detail grid's export.

#include "server/async.h"
#include "server/baglantikur.h"
#include "server/servermethods.h"
#include "ui/account/ayrinti_siparis.h"
#include "ui/account/siparisler.h"
#include "ui/account/tumsiparisler.h"
#include "ui/common/excelkaydet.h"
#include "ui/common/formats.h"
#include "ui/common/mesajgoster.h"
#include "ui/main/form1.h"
#include "widgets/busyindicator.h"
#include "widgets/datagrid.h"
#include "widgets/sayaclitabwidget.h"

#include "demobackend.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Lines = QList<std::array<double, 3>>;

// Lines of an order as the server sends them: one row per amount pair.
wire::TableMap satirlar(const Lines &tutarIndirimKdv)
{
  using wire::ColumnType;
  wire::TableMap t;
  t.columns = {
      {"TUTAR", ColumnType::Double}, {"INDIRIMTUTAR", ColumnType::Double}, {"KDV", ColumnType::Double}};
  for (const auto &[tutar, indirim, kdv] : tutarIndirimKdv)
    t.rows.append(wire::Row{tutar, indirim, kdv});
  return t;
}

QStringList shownCaptions(const DataGrid &grid)
{
  QStringList captions;
  for (int i : grid.shownColumns())
    captions.append(grid.columns().at(i).title());
  return captions;
}

} // namespace

class TestOncekiSiparisler : public QObject {
  Q_OBJECT

  DemoBackend demo;
  QStringList messages;
  QStringList errors;

  void login(TForm1 &form, const QString &computer)
  {
    form.bagc.setParam("Port", QString::number(demo.port()));
    form.bagc.setParam("ComputerId", computer);
    std::unique_ptr<ServerConnection> c = form.bagc.clone();
    c->openOrThrow();
    TServerMethods1Client client(*c);
    auto record = client.BuyukGetir(computer);
    QVERIFY(record);
    form.sbilgi.Kopyala(*record);
    form.KullaniciTipiUygula();
  }

  // Runs `work` with a client of its own for `computer`.
  template <class Work> void sunucuda(const QString &computer, Work &&work)
  {
    ServerConnection c;
    c.setParam("Port", QString::number(demo.port()));
    c.setParam("ComputerId", computer);
    c.openOrThrow();
    TServerMethods1Client client(c);
    work(client);
  }

  // Shows the previous orders tab and waits until its load has ended.
  void showOrders(TForm1 &form)
  {
    form.sPageControl1->setCurrentWidget(form.sonceki);
    QVERIFY(form.gifoncekiler->isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!form.gifoncekiler->isRunning(), 20000);
    QVERIFY(form.cxGrid3->isEnabled());
    QVERIFY(form.cxGrid3->isAttached());
  }

  // The dealer's order with the most lines.
  int biggestOrder(TForm1 &form, int *lines = nullptr)
  {
    int best = -1, most = -1;
    sunucuda("DEMO-BAYI-3", [&](TServerMethods1Client &c) {
      wire::TableMap all = c.TumSiparislerVer(form.sbilgi.CARINO(), 0)->table();
      QHash<int, int> counts;
      const int col = 2; // SIPARISNO
      QCOMPARE(all.columns.at(col).name, QString("SIPARISNO"));
      for (const wire::Row &r : all.rows)
        ++counts[r.at(col).toInt()];
      for (auto it = counts.begin(); it != counts.end(); ++it)
        if (it.value() > most) {
          most = it.value();
          best = it.key();
        }
    });
    if (lines)
      *lines = most;
    return best;
  }

private slots:
  void initTestCase()
  {
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QString error;
    QVERIFY2(demo.start(500, 3, &error), qPrintable(error));
    SetBaglantiKurPause([](int) {});
    SetMesajGosterHook([this](const MessageRequest &r) {
      messages.append(r.text);
      return int(mrOk);
    });
    SetTopLevelErrorHandler([this](const QString &text) { errors.append(text); });
  }
  void init()
  {
    messages.clear();
    errors.clear();
  }
  void cleanup()
  {
    Tayrinti_siparis::ExecHook = nullptr;
    Ttumsiparisler::ExecHook = nullptr;
    SetKayitDialoguHook(nullptr);
  }
  void cleanupTestCase()
  {
    SetMesajGosterHook(nullptr);
    SetBaglantiKurPause(nullptr);
    demo.stop();
  }

  void orderListAfterShowingTheTab()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    form.resize(1600, 900);
    showOrders(form);
    int expected = 0;
    sunucuda("DEMO-BAYI-3", [&](TServerMethods1Client &c) {
      expected = c.OncekiSiparisler(form.sbilgi.CARINO())->table().rows.size();
    });
    QVERIFY(expected > 0);
    QCOMPARE(form.ONCEKILER.RecordCount(), expected);
    QCOMPARE(form.cxGrid3->visibleRowCount(), expected);
    QCOMPARE(shownCaptions(*form.cxGrid3),
             QStringList({"Sipariş No", "Tarih", "Kargo Türü", "Teslim", "Veren", "Vergi Tutarı", "Net Tutar",
                          "Tutar", "Durum", "Kargo Adı", "Verenin Notu", "Alanın Notu"}));
    QVERIFY(form.cxGrid3->column("CARIKOD")->offered);
    QVERIFY(!form.cxGrid3->column("KURTL")->offered);
    QCOMPARE(form.cxGrid3->footerText("IDNO"), QString::number(expected));
    const int durum = form.cxGrid3->columnIndex("DURUM");
    const QStringList statuses = {"Alındı",     "Onaylandı",   "Görüldü",     "Parçalı Hazırlandı",
                                  "Hazırlandı", "Sevk Edildi", "İptal Edildi"};
    QVERIFY2(statuses.contains(form.cxGrid3->cellText(0, durum)),
             qPrintable(form.cxGrid3->cellText(0, durum)));
    QCOMPARE(form.ONCEKILER.FieldByName("NETTUTAR")->DisplayFormat(), kParaBicimi);
    QCOMPARE(form.cxGrid3->columnWidth("VERENINNOTU"), 200);
    QCOMPARE(form.cxGrid3->columnWidth("ALANNOTU"), 200);
    QVERIFY(messages.isEmpty());

    // Shown again, the tab loads again.
    form.ONCEKILER.EmptyDataSet();
    form.sPageControl1->setCurrentWidget(form.sstoklistesi);
    showOrders(form);
    QCOMPARE(form.ONCEKILER.RecordCount(), expected);
  }

  void overlappingLoadsEndWithOneList()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    form.soncekiShow();
    form.soncekiShow();
    form.soncekiShow();
    QTRY_VERIFY_WITH_TIMEOUT(!form.gifoncekiler->isRunning(), 20000);
    QVERIFY(form.cxGrid3->isEnabled());
    QVERIFY(form.cxGrid3->isAttached());
    QVERIFY(form.ONCEKILER.RecordCount() > 0);
    QCOMPARE(form.cxGrid3->visibleRowCount(), form.ONCEKILER.RecordCount());
    QVERIFY(messages.isEmpty());
  }

  void failedLoadLeavesTheGridUsable_data()
  {
    QTest::addColumn<bool>("otherDealer");
    QTest::addColumn<bool>("listKept");
    QTest::newRow("no connection: the dealer's list stays") << false << true;
    QTest::newRow("refused for another dealer: the old list goes") << true << false;
  }
  void failedLoadLeavesTheGridUsable()
  {
    QFETCH(bool, otherDealer);
    QFETCH(bool, listKept);
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    showOrders(form);
    const int before = form.ONCEKILER.RecordCount();
    QVERIFY(before > 0);
    if (otherDealer)
      form.sbilgi.SetCARINO(form.sbilgi.CARINO() + 1);
    else
      form.bagc.setParam("Port", "1");
    form.sPageControl1->setCurrentWidget(form.sstoklistesi);
    showOrders(form);
    QCOMPARE(messages, QStringList{kBaglantiKurulamiyor});
    QCOMPARE(form.ONCEKILER.RecordCount(), listKept ? before : 0);
    QCOMPARE(form.cxGrid3->visibleRowCount(), form.ONCEKILER.RecordCount());
    QVERIFY(errors.isEmpty());
  }

  void openingAnOrderShowsItsLinesTotalsAndFooter()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    showOrders(form);
    int lines = 0;
    const int idno = biggestOrder(form, &lines);
    QVERIFY(lines > 1);
    QVERIFY(form.ONCEKILER.Locate("IDNO", idno));
    const double gross = form.ONCEKILER.FieldByName("TUTAR")->AsFloat();
    form.cxGrid3->focusRow(form.ONCEKILER.RecNo() - 1);

    TSiparisDipAyrinti dip;
    sunucuda("DEMO-BAYI-3", [&](TServerMethods1Client &c) { dip.Kopyala(*c.SiparisAytintisiDip(0, idno)); });
    int shown = 0;
    Tayrinti_siparis::ExecHook = [&](Tayrinti_siparis &w) {
      [&] {
        ++shown;
        QCOMPARE(w.windowTitle(), QString("Sipariş Ayrıntısı"));
        QCOMPARE(w.sepet.RecordCount(), lines);
        QCOMPARE(w.cxGrid2->visibleRowCount(), lines);
        QCOMPARE(shownCaptions(*w.cxGrid2),
                 QStringList({"Sipariş Tarihi", "Barkod", "FinishKod", "OEMNo", "Stok Açıklama", "Miktar",
                              "Birim Fiyat", "Tutar", "İn.Oranı%", "Net Fiyat", "KDV", "Vergi Tutarı",
                              "Net Tutar", "Veren", "Teslim Edilen", "Kalan Bakiye"}));
        // Every line belongs to the order.
        const Field *siparisno = w.sepet.FieldByName("SIPARISNO");
        for (int r = 0; r < lines; ++r)
          QCOMPARE(w.sepet.CellValue(r, siparisno->Index()).toInt(), idno);

        // Totals step by step from the lines themselves.
        double t = 0, i = 0, v = 0, miktar = 0, kalan = 0;
        for (int r = 0; r < lines; ++r) {
          t = IkiHaneYuvarla(t + w.sepet.CellValue(r, w.sepet.FieldByName("TUTAR")->Index()).toDouble());
          i = IkiHaneYuvarla(i +
                             w.sepet.CellValue(r, w.sepet.FieldByName("INDIRIMTUTAR")->Index()).toDouble());
          v = IkiHaneYuvarla(v +
                             w.sepet.CellValue(r, w.sepet.FieldByName("VERGITUTARI")->Index()).toDouble());
          miktar += w.sepet.CellValue(r, w.sepet.FieldByName("MIKTAR")->Index()).toDouble();
          kalan += w.sepet.CellValue(r, w.sepet.FieldByName("KALAN")->Index()).toDouble();
        }
        const double n = IkiHaneYuvarla(t - i);
        QCOMPARE(w.aratoplaml->text(), FormatFloat(kParaBicimi, gross)); // as the order list has it
        QCOMPARE(w.aratoplaml->text(), FormatFloat(kParaBicimi, t));
        QCOMPARE(w.indiriml->text(), FormatFloat(kParaBicimi, i));
        QCOMPARE(w.nettutarl->text(), FormatFloat(kParaBicimi, n));
        QCOMPARE(w.vergil->text(), FormatFloat(kParaBicimi, v));
        QCOMPARE(w.geneltoplaml->text(), FormatFloat(kParaBicimi2, IkiHaneYuvarla(n + v)));
        // All five rows show, whatever their amounts.
        for (QLabel *l : {w.aratoplaml, w.indiriml, w.nettutarl, w.vergil, w.geneltoplaml})
          QVERIFY(!l->isHidden());

        QCOMPARE(w.cxGrid2->footerText("VERILISTARIHI"), QString::number(lines));
        QCOMPARE(w.cxGrid2->footerText("MIKTAR"), FormatFloat(kParaBicimi, miktar));
        QCOMPARE(w.cxGrid2->footerText("KALAN"), FormatFloat(kParaBicimi, kalan));

        QCOMPARE(w._sipdurun->text(), dip.Durumu());
        QCOMPARE(w._teslimcinsi->text(), dip.TeslimCinsi());
        QCOMPARE(w._kargocinsi->text(), dip.KargoCinsi());
        QCOMPARE(w._kargo->text(), dip.Kargo());
        QCOMPARE(w._veren->text(), dip.Veren());
        QCOMPARE(w._sizin->toPlainText(), dip.SizinMesaj());
        QCOMPARE(w._bizim->toPlainText(), AlanNotuYazisi(dip.BizimMesaj(), dip.SaticiNotu()));
        QVERIFY(w._bizim->isReadOnly());
      }();
      return int(QDialog::Rejected);
    };
    form.S1->trigger();
    QCOMPARE(shown, 1);
    // The double click opens the same order.
    emit form.cxGrid3->rowDoubleClicked(form.cxGrid3->focusedRow(), "IDNO");
    QCOMPARE(shown, 2);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(" | ")));
    QVERIFY(messages.isEmpty());
  }

  void unknownOrderOpensEmpty()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    bool shown = false;
    Tayrinti_siparis::ExecHook = [&](Tayrinti_siparis &w) {
      [&] {
        shown = true;
        QCOMPARE(w.sepet.RecordCount(), 0);
        QCOMPARE(w.geneltoplaml->text(), QString("00,00"));
        QCOMPARE(w._sipdurun->text(), QString());
        QCOMPARE(w._bizim->toPlainText(), QString());
      }();
      return int(QDialog::Rejected);
    };
    SiparisAyrintisiAc(&form, form.bagc, form.sbilgi, 987654);
    QVERIFY(shown);
    QVERIFY(errors.isEmpty());
  }

  void totals_data()
  {
    QTest::addColumn<Lines>("lines");       // TUTAR, INDIRIMTUTAR, KDV
    QTest::addColumn<QStringList>("texts"); // Toplam ... Genel Toplam
    QTest::newRow("no discount") << Lines{{40, 0, 18}, {60, 0, 18}}
                                 << QStringList{"100,00", "0,00", "100,00", "18,00", "118,00"};
    QTest::newRow("no lines") << Lines{} << QStringList{"0,00", "0,00", "0,00", "0,00", "00,00"};
    QTest::newRow("each line at its own VAT rate")
        << Lines{{150, 50, 8}, {100, 0, 20}} << QStringList{"250,00", "50,00", "200,00", "28,00", "228,00"};
    QTest::newRow("each step rounded")
        << Lines{{0.005, 0, 18}, {0.005, 0, 18}} << QStringList{"0,02", "0,00", "0,02", "0,00", "00,02"};
    QTest::newRow("thousands") << Lines{{1234.5, 234.5, 18}}
                               << QStringList{"1.234,50", "234,50", "1.000,00", "180,00", "1.180,00"};
  }
  void totals()
  {
    QFETCH(Lines, lines);
    QFETCH(QStringList, texts);
    Tayrinti_siparis w(nullptr);
    w.sepet.CopyFromTable(satirlar(lines));
    w.SepetHesapla();
    QCOMPARE(QStringList({w.aratoplaml->text(), w.indiriml->text(), w.nettutarl->text(), w.vergil->text(),
                          w.geneltoplaml->text()}),
             texts);
    QVERIFY(w.sepet.Eof()); // past the last line
  }

  void takerNote_data()
  {
    QTest::addColumn<QString>("bizim");
    QTest::addColumn<QString>("satici");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no note") << "Hazırlanıyor"
                             << ""
                             << "Hazırlanıyor";
    QTest::newRow("blank note") << "Hazırlanıyor"
                                << "   "
                                << "Hazırlanıyor";
    QTest::newRow("note") << "Hazırlanıyor"
                          << "Fiyat özel"
                          << "Hazırlanıyor\n----------------------\nSatıcı Notu:\nFiyat özel";
    QTest::newRow("note kept untrimmed") << ""
                                         << "  Acil  "
                                         << "----------------------\nSatıcı Notu:\n  Acil  ";
  }
  void takerNote()
  {
    QFETCH(QString, bizim);
    QFETCH(QString, satici);
    QFETCH(QString, shown);
    Tayrinti_siparis w(nullptr);
    w.asagi->SetBizimMesaj(bizim);
    w.asagi->SetSaticiNotu(satici);
    w.asagi->SetSizinMesaj("Acil lütfen");
    w.SepetHesapla();
    QCOMPARE(w._bizim->toPlainText(), shown);
    QCOMPARE(w._sizin->toPlainText(), QString("Acil lütfen"));
  }

  void lineGridWidths_data()
  {
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<bool>("weighted");
    QTest::newRow("wide screen: by weight") << 1920 << true;
    QTest::newRow("1152 screen: fitted to content") << 1152 << false;
  }
  void lineGridWidths()
  {
    QFETCH(int, screenWidth);
    QFETCH(bool, weighted);
    using wire::ColumnType;
    wire::TableMap t;
    t.columns = {
        {"STOKADI", ColumnType::Text, 150}, {"TUTAR", ColumnType::Double}, {"MIKTAR", ColumnType::Double}};
    t.rows = {wire::Row{"ALTERNATÖR KAYIŞI ARKA SAĞ", 1234567.89, 123456789.5},
              wire::Row{"TURBO HORTUMU", 99.26, 123456789.5}};
    ClientDataSet lines;
    lines.CopyFromTable(t);
    ParaBicimiUygula(lines);
    DataGrid grid;
    grid.setColumns(SiparisAyrintiKolonlari());
    grid.setDataSet(&lines);
    grid.resize(1500, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    SatirGenislikleriUygula(grid, screenWidth);
    if (weighted) {
      const int unit = (grid.view()->width() - 30) / 22;
      QCOMPARE(grid.columnWidth("STOKADI"), 3 * unit);
      QCOMPARE(grid.columnWidth("BARKOD"), 2 * unit);
      QCOMPARE(grid.columnWidth("TUTAR"), unit);
    } else {
      const int tutar = grid.columnIndex("TUTAR");
      QCOMPARE(grid.cellText(0, tutar), QString("1.234.567,89"));
      QVERIFY(grid.columnWidth("TUTAR") >
              QFontMetrics(grid.font()).horizontalAdvance(grid.cellText(0, tutar)));
    }
    // The sum under "Miktar" is never cut.
    QFont bold = grid.font();
    bold.setBold(true);
    QCOMPARE(grid.footerText("MIKTAR"), QString("246.913.579,00"));
    QVERIFY(grid.columnWidth("MIKTAR") >= QFontMetrics(bold).horizontalAdvance(grid.footerText("MIKTAR")));

    // Only a weight-0 column left: nothing to divide, the width stays.
    for (const GridColumn &c : grid.columns())
      grid.setColumnShown(c.key(), c.key() == "SIPARISNO");
    grid.setColumnWidth("SIPARISNO", 77);
    SatirGenislikleriUygula(grid, 1920);
    QCOMPARE(grid.columnWidth("SIPARISNO"), 77);
  }

  void noFocusedRowDoesNothing()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    showOrders(form);
    form.cxGrid3->view()->setCurrentIndex(QModelIndex());
    bool opened = false;
    Tayrinti_siparis::ExecHook = [&](Tayrinti_siparis &) { return opened = true, int(QDialog::Rejected); };
    Ttumsiparisler::ExecHook = [&](Ttumsiparisler &) { return opened = true, int(QDialog::Rejected); };
    form.S1Click();
    form.S3Click(); // no stock search yet
    QVERIFY(!opened);
    QVERIFY(messages.isEmpty());
  }

  void connectionFailureOfTheDetailIsReportedOnce()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    showOrders(form);
    form.cxGrid3->focusRow(0);
    form.bagc.setParam("Port", "1");
    bool opened = false;
    Tayrinti_siparis::ExecHook = [&](Tayrinti_siparis &) { return opened = true, int(QDialog::Rejected); };
    form.S1->trigger();
    QVERIFY(!opened);
    QCOMPARE(messages, QStringList{kBaglantiKurulamiyor});
  }

  void movements_data()
  {
    QTest::addColumn<QString>("computer");
    QTest::addColumn<bool>("oneItem");
    QTest::addColumn<bool>("durumShown");
    QTest::addColumn<bool>("eldekiShown");
    QTest::newRow("dealer, every item") << "DEMO-BAYI-3" << false << false << false;
    QTest::newRow("dealer, one item") << "DEMO-BAYI-3" << true << false << false;
    QTest::newRow("salesperson, one item") << "DEMO-SATIS-1" << true << true << true;
  }
  void movements()
  {
    QFETCH(QString, computer);
    QFETCH(bool, oneItem);
    QFETCH(bool, durumShown);
    QFETCH(bool, eldekiShown);
    TForm1 form;
    login(form, computer);
    TForm1 dealer;
    login(dealer, "DEMO-BAYI-3");
    form.sbilgi.SetCARINO(dealer.sbilgi.CARINO()); // the dealer a salesperson chose

    wire::TableMap all;
    sunucuda("DEMO-BAYI-3",
             [&](TServerMethods1Client &c) { all = c.TumSiparislerVer(dealer.sbilgi.CARINO(), 0)->table(); });
    QVERIFY(all.rows.size() > 1);
    int stokno = 0, expected = all.rows.size();
    if (oneItem) {
      stokno = all.rows.at(0).at(5).toInt(); // STOK_STOKNO
      expected = int(std::count_if(all.rows.begin(), all.rows.end(),
                                   [&](const wire::Row &r) { return r.at(5).toInt() == stokno; }));
      // The stock list with that item focused.
      wire::TableMap stok;
      stok.columns = {{"STOK_STOKNO", wire::ColumnType::Int32}, {"STOKADI", wire::ColumnType::Text, 50}};
      stok.rows = {wire::Row{stokno + 1, "Başka"}, wire::Row{stokno, "Bu"}};
      form.stok.SetData(stok);
      form.cxGrid1->focusRow(1);
    }

    int shown = 0;
    Ttumsiparisler::ExecHook = [&](Ttumsiparisler &w) {
      [&] {
        ++shown;
        QCOMPARE(w.windowTitle(), QString("Sipariş Hareketleri"));
        QCOMPARE(w.stokno, stokno);
        QCOMPARE(w.bakiyesepet.RecordCount(), expected);
        QCOMPARE(w.cxGrid1->footerText("VERILISTARIHI"), QString::number(expected));
        const Field *key = w.bakiyesepet.FieldByName("STOK_STOKNO");
        for (int r = 0; r < expected && stokno; ++r)
          QCOMPARE(w.bakiyesepet.CellValue(r, key->Index()).toInt(), stokno);
        QCOMPARE(w.cxGrid1->isColumnShown("DURUM"), durumShown);
        QCOMPARE(w.cxGrid1->column("DURUM")->offered, durumShown);
        QCOMPARE(w.cxGrid1->isColumnShown("ELDEKI"), eldekiShown);
        QCOMPARE(w.cxGrid1->isColumnShown("STOKHAR_NO"), false);
        QCOMPARE(w.bakiyesepet.FieldByName("BIRIMFIYAT")->DisplayFormat(), kParaBicimi);
      }();
      return int(QDialog::Rejected);
    };
    if (oneItem)
      form.S3->trigger();
    else
      form.T1->trigger();
    QCOMPARE(shown, 1);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(" | ")));
  }

  void movementColumnsByUserType_data()
  {
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("eldeki");
    QTest::addColumn<bool>("durum");
    QTest::newRow("salesperson") << 1 << true << true;
    QTest::newRow("salesperson with price rights") << 2 << true << true;
    QTest::newRow("dealer") << 3 << false << false;
    QTest::newRow("dealer without campaigns") << 4 << false << true;
  }
  void movementColumnsByUserType()
  {
    QFETCH(int, type);
    QFETCH(bool, eldeki);
    QFETCH(bool, durum);
    DataGrid grid;
    grid.setColumns(SiparisHareketKolonlari());
    HareketKolonlariUygula(grid, type);
    QCOMPARE(grid.isColumnShown("ELDEKI"), eldeki);
    QCOMPARE(grid.column("ELDEKI")->offered, eldeki);
    QCOMPARE(grid.isColumnShown("DURUM"), durum);
    QCOMPARE(grid.column("DURUM")->offered, durum);
    QVERIFY(!grid.column("ILKFIYAT")->offered);
  }

  void movementsWithoutConnectionReachTheErrorHandler()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    form.bagc.setParam("Port", "1");
    bool opened = false;
    Ttumsiparisler::ExecHook = [&](Ttumsiparisler &) { return opened = true, int(QDialog::Rejected); };
    form.T1->trigger();
    QVERIFY(!opened);
    QCOMPARE(errors.size(), 1);
  }

  void detailExportsAsSpreadsheet()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    int lines = 0;
    const int idno = biggestOrder(form, &lines);
    QTemporaryDir dir;
    QString asked;
    SetKayitDialoguHook([&](QWidget *, const QString &filter) {
      asked = filter;
      return dir.filePath("siparis");
    });
    Tayrinti_siparis::ExecHook = [&](Tayrinti_siparis &w) {
      [&] { w.excelKaydet->click(); }();
      return int(QDialog::Rejected);
    };
    SiparisAyrintisiAc(&form, form.bagc, form.sbilgi, idno);
    QCOMPARE(asked, QString("Excel (*.xls*)"));
    const QString file = dir.filePath("siparis.xls");
    QVERIFY(QFile::exists(file));
    const QString interpreter = QFile::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    QProcess python;
    python.start(interpreter, {"-c",
                               "import sys, xlrd; s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0);"
                               "print(s.nrows); print(s.ncols); print(s.cell_value(0, 4));"
                               "print(s.cell_type(1, 5) == xlrd.XL_CELL_NUMBER)",
                               file});
    QVERIFY(python.waitForFinished(30000));
    QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
    const QStringList out = QString::fromUtf8(python.readAllStandardOutput()).split('\n');
    QCOMPARE(out.value(0).toInt(), lines + 1);
    QCOMPARE(out.value(1).toInt(), 16); // the shown columns only
    QCOMPARE(out.value(2), QString("Stok Açıklama"));
    QCOMPARE(out.value(3), QString("True")); // MIKTAR stays a number
    QVERIFY(errors.isEmpty());
  }
};

int main(int argc, char *argv[])
{
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  TestOncekiSiparisler test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_oncekisiparisler.moc"
