// The main window: tab captions with counters, the column-width rule, the
// user-type adaptation, the counters from the server, and the quit question.

#include "app/sonlandir.h"
#include "server/async.h"
#include "server/baglantikur.h"
#include "ui/common/formats.h"
#include "ui/common/mesajgoster.h"
#include "ui/content/acilisreklam.h"
#include "ui/main/form1.h"
#include "widgets/datagrid.h"
#include "widgets/kayanyazi.h"
#include "widgets/kolongenislik.h"
#include "widgets/sayaclitabbar.h"
#include "widgets/sayaclitabwidget.h"

#include "demobackend.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A basket of three unmarked lines as the server sends it; `drop` names a
// column the packet lacks.
wire::TableMap sepetTablosu(const QString &drop = QString())
{
  using wire::ColumnType;
  wire::TableMap t;
  const QList<wire::Column> columns = {{"SIRANO", ColumnType::Int32},
                                       {"SEC", ColumnType::Int32},
                                       {"TUTAR", ColumnType::Double},
                                       {"INDIRIMTUTAR", ColumnType::Double},
                                       {"VERGITUTARI", ColumnType::Double}};
  for (const wire::Column &c : columns)
    if (c.name != drop)
      t.columns.append(c);
  for (int n = 1; n <= 3; ++n) {
    wire::Row row;
    for (const wire::Column &c : std::as_const(t.columns))
      row.append(c.name == "SIRANO" ? QVariant(n) : c.name == "SEC" ? QVariant(0) : QVariant(100.0 * n));
    t.rows.append(row);
  }
  return t;
}

} // namespace

class TestForm1 : public QObject {
  Q_OBJECT

private slots:
  void captions_data()
  {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("title");
    QTest::newRow("zero counter") << "0=Stok Listesi" << 0 << "Stok Listesi";
    QTest::newRow("basket with 7") << "7=Sepet" << 7 << "Sepet";
    QTest::newRow("no equals sign") << "Önceki Siparişler" << 0 << "Önceki Siparişler";
    QTest::newRow("fraction") << "2.5=Bakiyeler" << 2 << "Bakiyeler";
    QTest::newRow("not a number") << "abc=Sepet" << 0 << "Sepet";
    QTest::newRow("empty counter") << "=Sepet" << 0 << "Sepet";
    QTest::newRow("second equals sign kept") << "3=a=b" << 3 << "a=b";
    QTest::newRow("title cut at 100") << "1=" + QString(120, 'x') << 1 << QString(100, 'x');
    QTest::newRow("huge number") << "99999999999=Sepet" << 0 << "Sepet";
  }
  void captions()
  {
    QFETCH(QString, caption);
    QFETCH(int, counter);
    QFETCH(QString, title);
    const TSonuc s = TabBasligiCoz(caption);
    QCOMPARE(s.sayi, counter);
    QCOMPARE(s.baslik, title);
  }

  void paintingACounterDoesNotBreak()
  {
    SayacliTabWidget tabs;
    tabs.addTab(new QWidget, "2.75=Bakiyeler");
    tabs.addTab(new QWidget, "7=Sepet");
    tabs.addTab(new QWidget, QString(150, 'y'));
    tabs.resize(600, 200);
    QImage image(tabs.size(), QImage::Format_ARGB32);
    tabs.render(&image);
    QVERIFY(!image.isNull());
  }

  void tabsWrapIntoRows_data()
  {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("rows");
    QTest::newRow("all nine in one row") << 1200 << 1;
    QTest::newRow("1024 pixels: two rows") << 1024 << 2;
    QTest::newRow("narrow: one tab a row") << 100 << 9;
  }
  void tabsWrapIntoRows()
  {
    QFETCH(int, width);
    QFETCH(int, rows);
    SayacliTabBar bar;
    for (int i = 0; i < 9; ++i)
      bar.addTab(QIcon(), QString::number(i) + "=Sekme");
    QCOMPARE(bar.heightForWidth(width), rows * SayacliTabBar::kTabHeight + (rows - 1) * 2);
    bar.resize(width, bar.heightForWidth(width));
    QCOMPARE(bar.tabRect(8).top(), (rows - 1) * (SayacliTabBar::kTabHeight + 2));
    QCOMPARE(bar.tabRect(0).size(), QSize(SayacliTabBar::kTabWidth, SayacliTabBar::kTabHeight));
  }

  void hiddenTabsGiveWayAndClicksSelect()
  {
    SayacliTabWidget tabs;
    QWidget *pages[3] = {new QWidget, new QWidget, new QWidget};
    for (QWidget *page : pages)
      tabs.addTab(page, "Sekme");
    tabs.resize(800, 300);
    QSignalSpy changed(&tabs, &SayacliTabWidget::currentChanged);
    tabs.setCurrentWidget(pages[1]);
    QCOMPARE(tabs.currentWidget(), pages[1]);
    tabs.setTabVisible(1, false); // the current tab hidden: the next one takes over
    QCOMPARE(tabs.currentWidget(), pages[2]);
    QVERIFY(tabs.tabBar()->tabRect(1).isNull());
    QCOMPARE(tabs.tabBar()->tabRect(2).left(), SayacliTabBar::kTabWidth + 2); // moved up beside the first
    tabs.setCurrentWidget(pages[1]);                                          // a hidden tab cannot be chosen
    QCOMPARE(tabs.currentWidget(), pages[2]);
    QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {}, tabs.tabBar()->tabRect(0).center());
    QCOMPARE(tabs.currentWidget(), pages[0]);
    QCOMPARE(changed.count(), 3);
  }

  void columnWidths_data()
  {
    QTest::addColumn<QList<int>>("weights");
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("weights 1, 2, 3 on 630") << QList<int>{1, 2, 3} << 630 << QList<int>{100, 200, 300};
    QTest::newRow("truncates the unit") << QList<int>{1, 1, 1} << 130 << QList<int>{33, 33, 33};
    QTest::newRow("no weights") << QList<int>{0, 0} << 500 << QList<int>{};
    QTest::newRow("too narrow") << QList<int>{1} << 20 << QList<int>{};
  }
  void columnWidths()
  {
    QFETCH(QList<int>, weights);
    QFETCH(int, width);
    QFETCH(QList<int>, widths);
    QCOMPARE(AgirlikliGenislikler(weights, width), widths);
  }

  void weightedOnlyAboveTheNarrowScreen()
  {
    QVERIFY(!AgirlikliKullan(1152));
    QVERIFY(AgirlikliKullan(1153));
  }

  void shortNumbers()
  {
    QCOMPARE(KisaSayi(3), QStringLiteral("3"));
    QCOMPARE(KisaSayi(2.5), QStringLiteral("2.5"));
    QCOMPARE(KisaSayi(0), QStringLiteral("0"));
  }

  void userTypes_data()
  {
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("otherDealer");
    QTest::addColumn<bool>("reports");
    QTest::addColumn<bool>("campaignTab");
    QTest::newRow("salesperson") << 1 << true << true << true;
    QTest::newRow("salesperson with price rights") << 2 << true << true << true;
    QTest::newRow("dealer") << 3 << false << false << true;
    QTest::newRow("dealer without campaigns") << 4 << false << false << false;
  }
  void userTypes()
  {
    QFETCH(int, type);
    QFETCH(bool, otherDealer);
    QFETCH(bool, reports);
    QFETCH(bool, campaignTab);
    TForm1 form;
    form.sbilgi.SetMusteriTipi(type);
    form.KullaniciTipiUygula();
    QCOMPARE(form.musteritus->isVisibleTo(&form), otherDealer);
    QCOMPARE(form.R1->isVisible(), reports);
    QCOMPARE(form.sPageControl1->isTabVisible(form.sPageControl1->indexOf(form.skampanyali)), campaignTab);
    // The grids' columns follow the user type.
    const bool staff = type <= 2;
    QCOMPARE(form.cxGrid1->isColumnShown("KALAN"), staff);
    QCOMPARE(form.cxGrid1->column("VERILENSIPARIS")->offered, staff);
    QCOMPARE(form.cxGrid2->isColumnShown("KALAN"), staff);
    QCOMPARE(form.cxGrid2->isColumnShown("DURUM"), type != 3);
    QCOMPARE(form.cxGrid2->column("DURUM")->offered, type != 3);
    QCOMPARE(form.cxGrid1->column("KAMPFIYAT")->offered, campaignTab);
    QCOMPARE(form.cxGrid1->isColumnShown("K"), campaignTab);
    // The wide layout brings the price columns back, but not campaign prices
    // for dealers without campaigns.
    form.resize(1600, 900);
    form.cxGrid1Resize();
    QCOMPARE(form.cxGrid1->isColumnShown("KAMPFIYAT"), campaignTab);
    QVERIFY(form.cxGrid1->isColumnShown("KDVDAHIL"));
  }

  void headerAndCountersComeFromTheServer()
  {
    DemoBackend demo;
    QString error;
    QVERIFY2(demo.start(100, 3, &error), qPrintable(error));

    TForm1 form;
    form.bagc.setParam("Port", QString::number(demo.port()));
    form.bagc.setParam("ComputerId", "DEMO-BAYI-3");
    form.sbilgi.SetMusteriTipi(3);
    form.sbilgi.SetCARINO(1);
    form.sbilgi.SetADI("BAYI");
    form.sbilgi.SetCariAdi("KARADENİZ OTO");
    form.sbilgi.SetSaticiAdi("Mehmet");
    form.sbilgi.SetSaticiTelefon("0532");
    form.sbilgi.SetSaticiMail("m@t");
    int offered = 0;
    Tacilisreklam::ExecHook = [&](Tacilisreklam &d) {
      ++offered;
      d.arama = "#KAMPANYA#"; // as a click on a campaign advertisement
      return int(QDialog::Accepted);
    };
    form.BaslangicYuklemesi();
    QTRY_VERIFY(offered == 1); // offered once the load has ended
    Tacilisreklam::ExecHook = nullptr;
    QCOMPARE(form.sPageControl1->currentWidget(), form.skampanyali);
    QVERIFY(form._acilisadet > 0);
    QCOMPARE(form.sPageControl1->caption(form.sTabSheetduyuru),
             QString::number(form._acilisadet) + "=Duyurular");
    // News line, header banner, upper strip and lower banner from the server.
    QCOMPARE(form.kayanyazi->itemCount(), 1);
    QVERIFY(form.kayanyazi->isRunning());
    QVERIFY(form.GifResim1->movie() && form.GifResim1->movie()->isValid());
    QVERIFY(form.RxGIFAnimator2->height() > 0 || form.RxGIFAnimator2->maximumHeight() > 0);
    QVERIFY(!form.RealTimeMarquee1->isHidden());
    QCOMPARE(form.Panel5->maximumHeight(), form.RealTimeMarquee1->maximumHeight() + 40);
    QTRY_VERIFY(form.sPageControl1->caption(form.ssepet).endsWith("=Sepet"));
    QCOMPARE(form.sPageControl1->caption(form.ssepet), QStringLiteral("3=Sepet"));
    QVERIFY(form.sPageControl1->caption(form.syeniler).endsWith("=Yeni Stoklar"));
    QVERIFY(form.sPageControl1->caption(form.skampanyali).endsWith("=Kampanyalı"));
    QVERIFY(form.sPageControl1->caption(form.sTabbakiyeler).endsWith("=Bakiyeler"));
    QCOMPARE(form.kullanicilbl->text(), QStringLiteral("BAYI"));
    QCOMPARE(form.saticilbl->text(), QStringLiteral("Mehmet Telefonu: 0532 email: m@t"));
    demo.stop();
  }

  // The server keeps the marks and orders the lines it has marked, so a
  // mark it could not store must not show (nor count in the totals); an
  // unreachable server is reported once, not once per line.
  void marksTheServerDidNotStoreStayOff_data()
  {
    QTest::addColumn<bool>("all");
    QTest::newRow("Hepsini Seç") << true;
    QTest::newRow("double click on Seç") << false;
  }
  void marksTheServerDidNotStoreStayOff()
  {
    QFETCH(bool, all);
    TForm1 form;
    form.bagc.setParam("Port", "1"); // nothing listens there
    form.sepet.CopyFromTable(sepetTablosu());
    QStringList messages;
    SetMesajGosterHook([&](const MessageRequest &r) {
      messages.append(r.text);
      return int(mrOk);
    });
    SetBaglantiKurPause([](int) {});
    if (all)
      form.Button4->click();
    else
      form.SepetSatiriCiftTik(1, "SEC");
    SetBaglantiKurPause(nullptr);
    SetMesajGosterHook(nullptr);
    QCOMPARE(messages, QStringList{kBaglantiKurulamiyor});
    for (int row = 0; row < form.sepet.RecordCount(); ++row)
      QCOMPARE(form.sepet.CellValue(row, form.sepet.FieldByName("SEC")->Index()).toInt(), 0);
    QCOMPARE(form.aratoplaml->text(), FormatFloat(kParaBicimi, 0));
  }

  // A basket packet without the columns marking needs: the buttons do
  // nothing, and the grid keeps following the basket.
  void markingAMalformedBasketChangesNothing_data()
  {
    QTest::addColumn<QString>("missing");
    QTest::newRow("no SEC") << "SEC";
    QTest::newRow("no SIRANO") << "SIRANO";
  }
  void markingAMalformedBasketChangesNothing()
  {
    QFETCH(QString, missing);
    TForm1 form;
    form.sepet.CopyFromTable(sepetTablosu(missing));
    QStringList errors;
    SetTopLevelErrorHandler([&](const QString &text) { errors.append(text); });
    form.Button4->click();
    form.Button5->click();
    SetTopLevelErrorHandler(nullptr);
    QVERIFY(!form.sepet.ControlsDisabled());
    QVERIFY(errors.isEmpty());
    QCOMPARE(form.cxGrid2->visibleRowCount(), 3);
  }

  void quitAsksFirst_data()
  {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("ends");
    QTest::newRow("Hayır") << int(mrNo) << false;
    QTest::newRow("Evet") << int(mrYes) << true;
  }
  void quitAsksFirst()
  {
    QFETCH(int, answer);
    QFETCH(bool, ends);
    TForm1 form;
    form.show();
    MessageRequest asked;
    SetMesajGosterHook([&](const MessageRequest &r) {
      asked = r;
      return answer;
    });
    int ended = -1;
    SetSonlandirHook([&](int code) { ended = code; });
    form.close();
    SetMesajGosterHook(nullptr);
    SetSonlandirHook(nullptr);
    QCOMPARE(asked.text, QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"));
    QCOMPARE(asked.kind, mtConfirmation);
    QCOMPARE(asked.defaultButton, mbYes);
    QCOMPARE(ended, ends ? 0 : -1);
    QCOMPARE(form.isVisible(), !ends);
  }
};

int main(int argc, char *argv[])
{
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  TestForm1 test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_form1.moc"
