// The stock list and basket rules that need no server: letter folding, the
// price summary, the layout switch and the basket totals.

#include "data/clientdataset.h"
#include "ui/main/sepet.h"
#include "ui/main/stoklistesi.h"

#include <QtTest>

using wire::ColumnType;

class TestStokListesi : public QObject {
  Q_OBJECT

  static wire::TableMap basket(const QList<QList<double>> &lines)
  {
    wire::TableMap t;
    t.columns = {{"SIRANO", ColumnType::Int32},
                 {"SEC", ColumnType::Int32},
                 {"TUTAR", ColumnType::Double},
                 {"INDIRIMTUTAR", ColumnType::Double},
                 {"VERGITUTARI", ColumnType::Double}};
    int n = 0;
    for (const QList<double> &l : lines)
      t.rows.append({++n, int(l[0]), l[1], l[2], l[3]});
    return t;
  }

private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }

  void folding_data()
  {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("lower Turkish") << "ğüşöçı" << "GUSOCI";
    QTest::newRow("upper Turkish") << "ĞÜŞÖÇİ" << "GUSOCI";
    QTest::newRow("plain letters go upper") << "fren i" << "FREN I";
    QTest::newRow("digits and signs stay") << "0 986-4" << "0 986-4";
  }
  void folding()
  {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QCOMPARE(AramaHarfi(typed), shown);
  }

  void priceSummary_data()
  {
    QTest::addColumn<double>("campaign");
    QTest::addColumn<QString>("text");
    QTest::newRow("no campaign price: three lines")
        << 0.0 << "Liste Fiyatı: 1.250,00\r\nNetFiyat: 1.000,00\r\nKDV li Fiyat: 1.200,00\r\n";
    QTest::newRow("campaign price: four lines")
        << 1100.5
        << "Liste Fiyatı: 1.250,00\r\nKampanyalı Fiyat: 1.100,50\r\nNetFiyat: 1.000,00\r\nKDV li Fiyat: 1.200,00\r\n";
  }
  void priceSummary()
  {
    QFETCH(double, campaign);
    QFETCH(QString, text);
    QCOMPARE(FiyatBilgisiYazisi(1250, campaign, 1000, 1200), text);
  }

  void layoutSwitch_data()
  {
    QTest::addColumn<int>("window");
    QTest::addColumn<bool>("hideCampaign");
    QTest::addColumn<bool>("priceColumns");
    QTest::addColumn<bool>("campaignColumn");
    QTest::addColumn<int>("rowHeight");
    QTest::newRow("1152 is narrow") << 1152 << false << false << false << 100;
    QTest::newRow("1153 is wide") << 1153 << false << true << true << 60;
    QTest::newRow("wide, dealer without campaigns") << 1920 << true << true << false << 60;
  }
  void layoutSwitch()
  {
    QFETCH(int, window);
    QFETCH(bool, hideCampaign);
    QFETCH(bool, priceColumns);
    QFETCH(bool, campaignColumn);
    QFETCH(int, rowHeight);
    DataGrid grid;
    grid.setColumns(StokKolonlari({}));
    grid.resize(1100, 400);
    grid.setColumnShown("OEM1", true); // as a user may do
    StokDuzeniUygula(grid, window, hideCampaign);
    for (const char *key : {"KDVDAHIL", "NETFIYAT", "LISTEFIYAT1"})
      QCOMPARE(grid.isColumnShown(key), priceColumns);
    QCOMPARE(grid.isColumnShown("KAMPFIYAT"), campaignColumn);
    QCOMPARE(grid.isColumnShown(kFiyatBilgisi), !priceColumns);
    QCOMPARE(grid.rowHeight(), rowHeight);
    if (!priceColumns) {
      QCOMPARE(grid.columnWidth(kFiyatBilgisi), 150);
      QCOMPARE(grid.columnWidth("OEM1"), 80);
    }
    // Back and forth: the switch is complete both ways.
    StokDuzeniUygula(grid, window > 1152 ? 1000 : 1600, hideCampaign);
    QCOMPARE(grid.isColumnShown("KDVDAHIL"), !priceColumns);
  }

  void totals_data()
  {
    QTest::addColumn<QList<QList<double>>>("lines"); // SEC, TUTAR, INDIRIMTUTAR, VERGITUTARI
    QTest::addColumn<QList<double>>("totals");       // T, I, N, V, G
    QTest::newRow("two marked lines") << QList<QList<double>>{{1, 100, 10, 16.2}, {1, 50, 5, 8.1}}
                                      << QList<double>{150, 15, 135, 24.3, 159.3};
    QTest::newRow("unmarked lines do not count") << QList<QList<double>>{{0, 100, 10, 16.2}, {1, 50, 5, 8.1}}
                                                 << QList<double>{50, 5, 45, 8.1, 53.1};
    QTest::newRow("nothing marked") << QList<QList<double>>{{0, 100, 10, 16.2}} << QList<double>{0, 0, 0, 0, 0};
    QTest::newRow("sums rounded at each step")
        << QList<QList<double>>{{1, 0.005, 0, 0}, {1, 0.005, 0, 0}} << QList<double>{0.02, 0, 0.02, 0, 0.02};
  }
  void totals()
  {
    QFETCH(QList<QList<double>>, lines);
    QFETCH(QList<double>, totals);
    ClientDataSet sepet;
    sepet.CopyFromTable(basket(lines));
    sepet.Last();
    const SepetToplami t = SepetToplamHesapla(sepet);
    QCOMPARE(t.toplam, totals[0]);
    QCOMPARE(t.indirim, totals[1]);
    QCOMPARE(t.net, totals[2]);
    QCOMPARE(t.vergi, totals[3]);
    QCOMPARE(t.genel, totals[4]);
    QCOMPARE(sepet.RecNo(), sepet.RecordCount()); // the cursor is back where it was
  }

  void totalRowsShowOnlyAboveOne()
  {
    QVERIFY(!ToplamSatiriGoster(0));
    QVERIFY(!ToplamSatiriGoster(1.00));
    QVERIFY(ToplamSatiriGoster(1.01));
  }
};

QTEST_MAIN(TestStokListesi)
#include "tst_stoklistesi.moc"
