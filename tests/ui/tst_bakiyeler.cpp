// Balances against a real server: the balances tab with its list, totals and
// footer, deleting a balance, a new balance quantity and a new price reaching
// the server, refusals and answered questions changing nothing, what each
// user type sees, and the three ways the balance orders open.

#include "server/async.h"
#include "server/baglantikur.h"
#include "server/servermethods.h"
#include "ui/account/bakiyedegistir.h"
#include "ui/account/bakiyeler.h"
#include "ui/account/bakiyesiparisler.h"
#include "ui/account/fiyatdegistir.h"
#include "ui/common/formats.h"
#include "ui/common/mesajgoster.h"
#include "ui/main/form1.h"
#include "ui/sales/seccari.h"
#include "widgets/datagrid.h"
#include "widgets/paraedit.h"
#include "widgets/sayaclitabwidget.h"

#include "demobackend.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

class TestBakiyeler : public QObject {
  Q_OBJECT

  DemoBackend demo;
  QList<MessageRequest> messages;
  int answer = mrYes;
  QStringList errors;
  qint32 dealerCarino = 0;

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
    if (form.sbilgi.MusteriTipi() <= 2)
      form.sbilgi.SetCARINO(dealerCarino); // the dealer the salesperson chose
    form.KullaniciTipiUygula();
  }

  // The dealer's open balance lines as the server has them now.
  wire::TableMap balances()
  {
    wire::TableMap t;
    ServerConnection c;
    c.setParam("Port", QString::number(demo.port()));
    c.setParam("ComputerId", "DEMO-BAYI-3");
    c.openOrThrow();
    TServerMethods1Client client(c);
    t = client.BakiyelerVer2(dealerCarino)->table();
    return t;
  }
  static QVariant cell(const wire::TableMap &t, int row, const QString &column)
  {
    for (int i = 0; i < t.columns.size(); ++i)
      if (t.columns.at(i).name == column)
        return t.rows.at(row).at(i);
    return {};
  }
  static int rowOfLine(const wire::TableMap &t, int stokharNo)
  {
    for (int r = 0; r < t.rows.size(); ++r)
      if (cell(t, r, "STOKHAR_NO").toInt() == stokharNo)
        return r;
    return -1;
  }
  QStringList messageTexts() const
  {
    QStringList texts;
    for (const MessageRequest &m : messages)
      texts.append(m.text);
    return texts;
  }

  Tbakiyesiparisler *showTab(TForm1 &form)
  {
    form.sPageControl1->setCurrentWidget(form.sTabbakiyeler);
    return form.benimbakiyesiparisler;
  }

private slots:
  void initTestCase()
  {
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QString error;
    QVERIFY2(demo.start(500, 3, &error), qPrintable(error));
    SetBaglantiKurPause([](int) {});
    SetMesajGosterHook([this](const MessageRequest &r) {
      messages.append(r);
      return r.buttons & msgButtons({mbYes}) ? answer : int(mrOk);
    });
    SetTopLevelErrorHandler([this](const QString &text) { errors.append(text); });
    TForm1 dealer;
    dealer.bagc.setParam("Port", QString::number(demo.port()));
    ServerConnection c;
    c.setParam("Port", QString::number(demo.port()));
    c.setParam("ComputerId", "DEMO-BAYI-3");
    c.openOrThrow();
    TServerMethods1Client client(c);
    dealerCarino = client.BuyukGetir("DEMO-BAYI-3")->CARINO();
    QVERIFY(dealerCarino > 0);
    QVERIFY2(balances().rows.size() >= 3, "the demo dealer needs open balances");
  }
  void init()
  {
    messages.clear();
    errors.clear();
    answer = mrYes;
  }
  void cleanup()
  {
    Tbakiyesiparisler::ExecHook = nullptr;
    Tbakiyedegistir::ExecHook = nullptr;
    Tfiyatdegistir::ExecHook = nullptr;
    Tseccari::ExecHook = nullptr;
  }
  void cleanupTestCase()
  {
    SetMesajGosterHook(nullptr);
    SetBaglantiKurPause(nullptr);
    demo.stop();
  }

  void tabShowsBalancesTotalsAndFooter()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    form.resize(1600, 900);
    Tbakiyesiparisler *w = showTab(form);
    QVERIFY(w);
    QVERIFY(w->parentWidget() == form.sTabbakiyeler);
    QVERIFY(!w->isWindow());
    QVERIFY(w->Button1->isHidden()); // no "Kapat" in the tab
    const wire::TableMap t = balances();
    const int n = t.rows.size();
    QCOMPARE(w->bakiyesepet.RecordCount(), n);
    QCOMPARE(w->cxGrid2->footerText("VERILISTARIHI"), QString::number(n));
    double tutar = 0, indirim = 0, vergi = 0, miktar = 0, kalan = 0;
    for (int r = 0; r < n; ++r) {
      tutar = IkiHaneYuvarla(tutar + cell(t, r, "TUTAR").toDouble());
      indirim = IkiHaneYuvarla(indirim + cell(t, r, "INDIRIMTUTAR").toDouble());
      vergi = IkiHaneYuvarla(vergi + cell(t, r, "VERGITUTARI").toDouble());
      miktar += cell(t, r, "MIKTAR").toDouble();
      kalan += cell(t, r, "KALAN").toDouble();
    }
    const double net = IkiHaneYuvarla(tutar - indirim);
    QCOMPARE(w->aratoplaml->text(), FormatFloat(kParaBicimi, tutar));
    QCOMPARE(w->indiriml->text(), FormatFloat(kParaBicimi, indirim));
    QCOMPARE(w->nettutarl->text(), FormatFloat(kParaBicimi, net));
    QCOMPARE(w->vergil->text(), FormatFloat(kParaBicimi, vergi)); // the lines' VAT, not 18 %
    QCOMPARE(w->geneltoplaml->text(), FormatFloat(kParaBicimi2, IkiHaneYuvarla(net + vergi)));
    QCOMPARE(w->cxGrid2->footerText("MIKTAR"), FormatFloat(kParaBicimi, miktar));
    QCOMPARE(w->cxGrid2->footerText("KALAN"), FormatFloat(kParaBicimi, kalan));
    QCOMPARE(w->bakiyesepet.FieldByName("BIRIMFIYAT")->DisplayFormat(), kParaBicimi);

    // The first line is focused and its order's footer shown.
    QCOMPARE(w->cxGrid2->focusedRow(), 0);
    TSiparisDipAyrinti dip;
    {
      ServerConnection c;
      c.setParam("Port", QString::number(demo.port()));
      c.setParam("ComputerId", "DEMO-BAYI-3");
      c.openOrThrow();
      TServerMethods1Client client(c);
      dip.Kopyala(*client.SiparisAytintisiDip(0, cell(t, 0, "IDNO").toInt()));
    }
    QVERIFY(!dip.Durumu().isEmpty());
    QCOMPARE(w->_sipdurun->text(), dip.Durumu());
    QCOMPARE(w->_teslimcinsi->text(), dip.TeslimCinsi());
    QCOMPARE(w->_kargocinsi->text(), dip.KargoCinsi());
    QCOMPARE(w->_kargo->text(), dip.Kargo());
    QCOMPARE(w->_veren->text(), dip.Veren());
    QCOMPARE(w->_sizin->toPlainText(), dip.SizinMesaj());
    QCOMPARE(w->_bizim->toPlainText(), dip.BizimMesaj());

    // Escape does not close the embedded list; leaving the tab frees it,
    // coming back loads afresh.
    QTest::keyClick(w->cxGrid2->view(), Qt::Key_Escape);
    QVERIFY(!w->isHidden());
    QPointer<Tbakiyesiparisler> old(w);
    form.sPageControl1->setCurrentWidget(form.sstoklistesi);
    QVERIFY(!old);
    QVERIFY(!form.benimbakiyesiparisler);
    QVERIFY(showTab(form));
    QCOMPARE(form.benimbakiyesiparisler->bakiyesepet.RecordCount(), n);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(" | ")));
    QVERIFY(messages.isEmpty());
  }

  void footerFollowsTheArrowKeys()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    Tbakiyesiparisler *w = showTab(form);
    QVERIFY(w);
    const wire::TableMap t = balances();
    QVERIFY(t.rows.size() >= 2);
    const int row = 0;
    w->cxGrid2->focusRow(row);
    w->asagi->SetDurumu("eski");
    QTest::keyClick(w->cxGrid2->view(), Qt::Key_Down);
    QCOMPARE(w->cxGrid2->focusedRow(), row + 1);
    QVERIFY(w->asagi->Durumu() != "eski");
    QCOMPARE(w->_sipdurun->text(), w->asagi->Durumu());
    w->asagi->SetDurumu("eski");
    QTest::keyClick(w->cxGrid2->view(), Qt::Key_Up);
    QCOMPARE(w->cxGrid2->focusedRow(), row);
    QVERIFY(w->_sipdurun->text() != "eski");
    QVERIFY(errors.isEmpty());
  }

  void columnsByOpenerAndUserType_data()
  {
    QTest::addColumn<int>("opener");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("ilkFiyat");
    QTest::addColumn<bool>("eldeki");
    QTest::addColumn<bool>("alinan");
    QTest::addColumn<bool>("durum");
    QTest::addColumn<bool>("fiyatDegistir");
    const int tab = int(BakiyeAcilisi::Sekme), menu = int(BakiyeAcilisi::SiparisMenusu),
              dealers = int(BakiyeAcilisi::CariSecimi);
    QTest::newRow("tab, salesperson") << tab << 1 << false << true << true << true << false;
    QTest::newRow("tab, price rights") << tab << 2 << true << true << true << true << true;
    QTest::newRow("tab, dealer") << tab << 3 << false << false << false << false << false;
    QTest::newRow("tab, dealer without campaigns") << tab << 4 << false << false << false << true << false;
    QTest::newRow("menu, salesperson") << menu << 1 << false << true << false << true << false;
    QTest::newRow("menu, price rights") << menu << 2 << true << true << false << true << true;
    QTest::newRow("menu, dealer") << menu << 3 << false << false << false << false << false;
    QTest::newRow("dealer selection, salesperson") << dealers << 1 << false << true << true << true << false;
    QTest::newRow("dealer selection, price rights") << dealers << 2 << true << true << true << true << true;
  }
  void columnsByOpenerAndUserType()
  {
    QFETCH(int, opener);
    QFETCH(int, type);
    QFETCH(bool, ilkFiyat);
    QFETCH(bool, eldeki);
    QFETCH(bool, alinan);
    QFETCH(bool, durum);
    QFETCH(bool, fiyatDegistir);
    Tbakiyesiparisler w(nullptr);
    w.KolonlariUygula(BakiyeAcilisi(opener), type);
    const DataGrid &g = *w.cxGrid2;
    QCOMPARE(g.isColumnShown("ILKFIYAT"), ilkFiyat);
    QCOMPARE(g.column("ILKFIYAT")->offered, ilkFiyat);
    QCOMPARE(g.isColumnShown("ELDEKI"), eldeki);
    QCOMPARE(g.column("ELDEKI")->offered, eldeki);
    QCOMPARE(g.isColumnShown("ALINANSIPARIS"), alinan);
    QCOMPARE(g.isColumnShown("VERILENSIPARIS"), alinan);
    QCOMPARE(g.isColumnShown("DURUM"), durum);
    QCOMPARE(g.column("DURUM")->offered, durum);
    QCOMPARE(w.F1->isVisible(), fiyatDegistir);
    QCOMPARE(w.eldekiGoster, eldeki);
    QVERIFY(w.B1->isVisible() && w.B2->isVisible()); // every user type
    QVERIFY(!g.column("STOKHAR_NO")->offered);
    QVERIFY(g.column("MARKA")->offered && !g.isColumnShown("MARKA"));
  }

  // Each change for the first open line of the dealer, by a salesperson
  // with price rights.
  void changesReachTheServer_data()
  {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("dialogAccepts");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QStringList>("texts");
    const QString silSoru = "Sipariş Bakiyesini Silmek İstiyor musunuz ?";
    const QString degSoru = "Sipariş Bakiyesini Değiştirmek İstiyor musunuz ?";
    QTest::newRow("delete") << "sil" << int(mrYes) << true << true << QStringList{silSoru};
    QTest::newRow("delete, Hayır") << "sil" << int(mrNo) << true << false << QStringList{silSoru};
    QTest::newRow("quantity") << "adet" << int(mrYes) << true << true
                              << QStringList{degSoru, "Bakiye Değiştirildi !"};
    QTest::newRow("quantity, Hayır") << "adet" << int(mrNo) << true << false << QStringList{degSoru};
    QTest::newRow("quantity, Vazgeç") << "adet" << int(mrYes) << false << false << QStringList{degSoru};
    QTest::newRow("price") << "fiyat" << int(mrYes) << true << true << QStringList{"Fiyat Değiştirildi !"};
    QTest::newRow("price, Vazgeç") << "fiyat" << int(mrYes) << false << false << QStringList{};
  }
  void changesReachTheServer()
  {
    QFETCH(QString, action);
    QFETCH(int, answer);
    QFETCH(bool, dialogAccepts);
    QFETCH(bool, changed);
    QFETCH(QStringList, texts);
    this->answer = answer;
    TForm1 form;
    login(form, "DEMO-SATIS-2");
    QCOMPARE(form.sbilgi.MusteriTipi(), 2);
    Tbakiyesiparisler *w = showTab(form);
    QVERIFY(w);
    // Focus the last line: a reload must not lose the focus to another one.
    const int row = w->bakiyesepet.RecordCount() - 1;
    w->cxGrid2->focusRow(row);
    const std::optional<BakiyeSatiri> line = BakiyeSatiriOku(w->bakiyesepet, row);
    QVERIFY(line);
    const wire::TableMap before = balances();
    const int serverRow = rowOfLine(before, line->stokharNo);
    QVERIFY(serverRow >= 0);
    const double newQuantity = line->kalan + 2;

    int dialogs = 0;
    Tbakiyedegistir::ExecHook = [&](Tbakiyedegistir &d) {
      ++dialogs;
      [&] {
        QCOMPARE(d.adet->value(), 1); // whatever the old balance
        QCOMPARE(d.barkod->text(), line->barkod);
        QCOMPARE(d.eskibakiye->text(), BakiyeSayisi(line->kalan));
        QCOMPARE(d.alinansiparis->text(), BakiyeSayisi(line->miktar));
        QVERIFY(!d.elimizde->isHidden()); // sales staff see the stock on hand
      }();
      d.adet->setValue(int(newQuantity));
      return dialogAccepts ? int(QDialog::Accepted) : int(QDialog::Rejected);
    };
    Tfiyatdegistir::ExecHook = [&](Tfiyatdegistir &d) {
      ++dialogs;
      [&] {
        double start = 0;
        QVERIFY(ParaEdit::parse(d._fiyat->text(), &start));
        QCOMPARE(start, line->birimFiyat);
      }();
      d._fiyat->setText("123,45");
      d._iskonto->setText("7,5");
      if (dialogAccepts)
        d.Button1->click();
      return d.result() == QDialog::Accepted ? int(QDialog::Accepted) : int(QDialog::Rejected);
    };
    if (action == "sil")
      w->B1->trigger();
    else if (action == "adet")
      w->B2->trigger();
    else
      w->F1->trigger();
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(" | ")));
    QCOMPARE(messageTexts(), texts);
    if (action == "sil")
      QCOMPARE(messages.at(0).defaultButton, mbNo);
    if (action == "adet")
      QCOMPARE(messages.at(0).defaultButton, mbYes);
    QCOMPARE(dialogs, action != "sil" && (answer == mrYes || action == "fiyat") ? 1 : 0);

    const wire::TableMap after = balances();
    const int now = rowOfLine(after, line->stokharNo);
    if (!changed) {
      QCOMPARE(after.rows.size(), before.rows.size());
      QCOMPARE(after.rows.at(now), before.rows.at(serverRow));
    } else if (action == "sil") {
      QCOMPARE(now, -1);
      QCOMPARE(after.rows.size(), before.rows.size() - 1);
    } else if (action == "adet") {
      QCOMPARE(cell(after, now, "KALAN").toDouble(), newQuantity);
    } else {
      QCOMPARE(cell(after, now, "BIRIMFIYAT").toDouble(), 123.45);
      QCOMPARE(cell(after, now, "INDIRIMORANI1").toDouble(), 7.5);
      QCOMPARE(cell(after, now, "MIKTAR"), cell(before, serverRow, "MIKTAR"));
    }
    // The window shows what the server has.
    QCOMPARE(w->bakiyesepet.RecordCount(), after.rows.size());
    if (now >= 0) {
      QCOMPARE(BakiyeSatiriOku(w->bakiyesepet, w->cxGrid2->focusedRow())->stokharNo, line->stokharNo);
      QCOMPARE(w->bakiyesepet.FieldByName("KALAN")->AsFloat(), cell(after, now, "KALAN").toDouble());
    }
  }

  void dealersAreRefusedAndNothingChanges()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    Tbakiyesiparisler *w = showTab(form);
    QVERIFY(w);
    QVERIFY(!w->F1->isVisible());
    const wire::TableMap before = balances();
    bool dialog = false;
    Tbakiyedegistir::ExecHook = [&](Tbakiyedegistir &d) {
      dialog = true;
      [&] { QVERIFY(d.elimizde->isHidden()); }(); // no stock on hand for dealers
      return int(QDialog::Accepted);
    };
    w->B1->trigger();
    w->B2->trigger();
    QVERIFY(dialog);
    QCOMPARE(errors.size(), 2); // the server's refusal, each time
    QVERIFY(!messageTexts().contains("Bakiye Değiştirildi !"));
    QCOMPARE(balances().rows, before.rows);
    QCOMPARE(w->bakiyesepet.RecordCount(), before.rows.size());
    // A hidden "Fiyat Değiştir" does nothing even when called.
    Tfiyatdegistir::ExecHook = [&](Tfiyatdegistir &) { return dialog = false, int(QDialog::Accepted); };
    w->F1Click();
    QVERIFY(dialog);
  }

  void noConnectionReachesTheErrorHandler()
  {
    TForm1 form;
    login(form, "DEMO-SATIS-2");
    Tbakiyesiparisler *w = showTab(form);
    QVERIFY(w);
    const int n = w->bakiyesepet.RecordCount();
    form.bagc.setParam("Port", "1");
    Tbakiyedegistir::ExecHook = [](Tbakiyedegistir &) { return int(QDialog::Accepted); };
    w->B2->trigger();
    QCOMPARE(errors.size(), 1);
    QVERIFY(!messageTexts().contains("Bakiye Değiştirildi !"));
    QCOMPARE(w->bakiyesepet.RecordCount(), n); // the list stays
  }

  void quantityDialogEnterCloses()
  {
    Tbakiyedegistir d(nullptr);
    QCOMPARE(d.adet->minimum(), 1);
    QCOMPARE(d.adet->maximum(), 1000);
    QCOMPARE(d.adet->value(), 1);
    d.show();
    QTest::keyClick(d.adet, Qt::Key_Return);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(d.isHidden());
  }

  void pricePreview_data()
  {
    QTest::addColumn<QString>("fiyat");
    QTest::addColumn<QString>("iskonto");
    QTest::addColumn<double>("kdv");
    QTest::addColumn<QString>("net");
    QTest::addColumn<QString>("kdvDahil");
    QTest::newRow("no discount") << "100"
                                 << "0" << 18.0 << "100,00"
                                 << "118,00";
    QTest::newRow("10 percent") << "100"
                                << "10" << 18.0 << "90,00"
                                << "106,20";
    QTest::newRow("the line's own VAT") << "100"
                                        << "10" << 8.0 << "90,00"
                                        << "97,20";
    QTest::newRow("unreadable price counts as 0") << "abc"
                                                  << "10" << 18.0 << "00,00"
                                                  << "00,00";
    QTest::newRow("thousands") << "1.250,50"
                               << "" << 20.0 << "1.250,50"
                               << "1.500,60";
  }
  void pricePreview()
  {
    QFETCH(QString, fiyat);
    QFETCH(QString, iskonto);
    QFETCH(double, kdv);
    QFETCH(QString, net);
    QFETCH(QString, kdvDahil);
    Tfiyatdegistir d(nullptr);
    d.Ac(1, 0, kdv);
    QCOMPARE(d.LBLNET->text(), QString("01,00")); // shown from the start
    d._fiyat->setText(fiyat);
    d._iskonto->setText(iskonto);
    emit d._iskonto->textEdited(iskonto);
    QCOMPARE(d.LBLNET->text(), net);
    QCOMPARE(d.LABELKDV->text(), kdvDahil);
  }

  void badPriceIsRefused_data()
  {
    QTest::addColumn<QString>("fiyat");
    QTest::addColumn<QString>("iskonto");
    QTest::addColumn<QString>("warning");
    QTest::newRow("empty price") << ""
                                 << "5"
                                 << "Lütfen geçerli bir fiyat giriniz !";
    QTest::newRow("negative price") << "-5"
                                    << "5"
                                    << "Lütfen geçerli bir fiyat giriniz !";
    QTest::newRow("discount over 100") << "50"
                                       << "150"
                                       << "İndirim oranı 0 ile 100 arasında olmalıdır !";
    QTest::newRow("negative discount") << "50"
                                       << "-1"
                                       << "İndirim oranı 0 ile 100 arasında olmalıdır !";
    QTest::newRow("unreadable discount") << "50"
                                         << "x"
                                         << "Lütfen geçerli bir indirim oranı giriniz !";
    QTest::newRow("valid") << "50,25"
                           << "100"
                           << "";
  }
  void badPriceIsRefused()
  {
    QFETCH(QString, fiyat);
    QFETCH(QString, iskonto);
    QFETCH(QString, warning);
    Tfiyatdegistir d(nullptr);
    d.Ac(10, 0, 18);
    d.show();
    d._fiyat->setText(fiyat);
    d._iskonto->setText(iskonto);
    d.Button1->click();
    if (warning.isEmpty()) {
      QVERIFY(messages.isEmpty());
      QCOMPARE(d.result(), int(QDialog::Accepted));
      QCOMPARE(d.yeniFiyat, 50.25);
      QCOMPARE(d.yeniIndirimOrani, 100.0);
    } else {
      QCOMPARE(messageTexts(), QStringList{warning});
      QCOMPARE(messages.at(0).kind, mtWarning);
      QVERIFY(d.isVisible()); // stays open with what was typed
      QCOMPARE(d._fiyat->text(), fiyat);
    }
  }

  void ordersMenuOpensTheDealersBalances()
  {
    TForm1 form;
    login(form, "DEMO-SATIS-1");
    QVERIFY(form.SipariBakiyeleriniz1->isEnabled());
    int shown = 0;
    Tbakiyesiparisler::ExecHook = [&](Tbakiyesiparisler &w) {
      ++shown;
      [&] {
        QVERIFY(w.isWindow());
        QVERIFY(!w.Button1->isHidden());
        QCOMPARE(w.bakiyesepet.RecordCount(), balances().rows.size());
        QVERIFY(w.cxGrid2->isColumnShown("ELDEKI"));
        QVERIFY(!w.cxGrid2->isColumnShown("ALINANSIPARIS"));
        QVERIFY(!w.F1->isVisible());
        QVERIFY(w.bagim == &form.bagc);
      }();
      return int(QDialog::Rejected);
    };
    form.SipariBakiyeleriniz1->trigger();
    QCOMPARE(shown, 1);
    QVERIFY(errors.isEmpty());
  }

  void dealerSelectionShowsTheFocusedDealersBalances()
  {
    TForm1 form;
    login(form, "DEMO-SATIS-2");
    form.sbilgi.SetCARINO(0); // no dealer chosen yet
    Tseccari seccari(&form, form.bagc, form.sbilgi);
    QVERIFY(seccari.B1->isEnabled());
    seccari.sBitBtn2Click();
    QVERIFY(seccari.CARILER.Locate("CARINO", dealerCarino));
    int shown = 0;
    Tbakiyesiparisler::ExecHook = [&](Tbakiyesiparisler &w) {
      ++shown;
      [&] {
        QCOMPARE(w.bilgi->CARINO(), dealerCarino);
        QVERIFY(w.bilgi != &form.sbilgi);
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QCOMPARE(w.bakiyesepet.RecordCount(), balances().rows.size());
        QVERIFY(w.cxGrid2->isColumnShown("ALINANSIPARIS"));
        QVERIFY(w.cxGrid2->isColumnShown("ILKFIYAT"));
        QVERIFY(w.F1->isVisible());
      }();
      return int(QDialog::Rejected);
    };
    seccari.B1->trigger();
    QCOMPARE(shown, 1);
    QCOMPARE(form.sbilgi.CARINO(), 0); // the login record is unchanged
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(" | ")));
  }

  void stockListItemShowsTheBalancesTab()
  {
    TForm1 form;
    login(form, "DEMO-BAYI-3");
    form.B1->trigger();
    QCOMPARE(form.sPageControl1->currentWidget(), form.sTabbakiyeler);
    QVERIFY(form.benimbakiyesiparisler);
    QCOMPARE(form.benimbakiyesiparisler->bakiyesepet.RecordCount(), balances().rows.size());
  }
};

int main(int argc, char *argv[])
{
  QApplication app(argc, argv);
  TestBakiyeler test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_bakiyeler.moc"
