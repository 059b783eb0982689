#include "ui/account/bakiyesiparisler.h"

#include "server/async.h"
#include "server/callpatterns.h"
#include "ui/account/bakiyedegistir.h"
#include "ui/account/fiyatdegistir.h"
#include "ui/account/siparisdip.h"
#include "ui/account/siparisler.h"
#include "ui/common/excelkaydet.h"
#include "ui/common/formats.h"
#include "ui/common/mesajgoster.h"
#include "widgets/datagrid.h"
#include "widgets/durumaciklamasi.h"

#include <wire/baglantiu.h>

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

std::function<int(Tbakiyesiparisler &)> Tbakiyesiparisler::ExecHook;

Tbakiyesiparisler::Tbakiyesiparisler(QWidget *owner)
    : QDialog(owner), asagi(std::make_unique<TSiparisDipAyrinti>())
{
  setObjectName(QStringLiteral("Tbakiyesiparisler"));
  setWindowTitle(QStringLiteral("Bakiye Siparişler"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  setFont(font);

  cxGrid2 = new DataGrid;
  cxGrid2->setObjectName(QStringLiteral("cxGrid2"));
  cxGrid2->setColumns(BakiyeKolonlari());
  cxGrid2->setDataSet(&bakiyesepet);
  cxGrid2->setHeaderHeight(40);
  cxGrid2->setRowHeight(40);
  connect(cxGrid2, &DataGrid::resized, this, &Tbakiyesiparisler::cxGrid2Resize);
  connect(cxGrid2, &DataGrid::focusedRowChanged, this, [this](int row) {
    if (!yukleniyor_)
      RunGuarded([this, row] { DipYukle(row); });
  });

  PopupMenu1 = new QMenu(this);
  B1 = PopupMenu1->addAction(QStringLiteral("Bakiyeyi Sil"));
  PopupMenu1->addSeparator();
  B2 = PopupMenu1->addAction(QStringLiteral("Bakiye Değiştir"));
  PopupMenu1->addSeparator();
  F1 = PopupMenu1->addAction(QStringLiteral("Fiyat Değiştir"));
  F1->setVisible(false);
  connect(B1, &QAction::triggered, this, [this] { RunGuarded([this] { B1Click(); }); });
  connect(B2, &QAction::triggered, this, [this] { RunGuarded([this] { B2Click(); }); });
  connect(F1, &QAction::triggered, this, [this] { RunGuarded([this] { F1Click(); }); });
  connect(cxGrid2, &DataGrid::contextMenuRequested, this, [this](const QPoint &at) {
    if (cxGrid2->focusedRow() >= 0)
      PopupMenu1->exec(at);
  });

  QGroupBox *bilgiler =
      SiparisBilgileriGrubu({&_sipdurun, &_teslimcinsi, &_kargocinsi, &_kargo, &_veren}, 260);

  _sizin = NotKutusu("_sizin");
  _bizim = NotKutusu("_bizim");

  QGroupBox *tutar = ToplamGrubu(font, 280, {&aratoplaml, &indiriml, &nettutarl, &vergil, &geneltoplaml});

  Button2 = new QPushButton(QIcon(QStringLiteral(":/icons/excel.svg")), QStringLiteral("Excel Kaydet"));
  Button1 = new QPushButton(QIcon(QStringLiteral(":/icons/hayir.svg")), QStringLiteral("Kapat"));
  for (QPushButton *b : {Button2, Button1}) {
    b->setFixedSize(150, 52);
    b->setIconSize(QSize(24, 24));
    b->setAutoDefault(false);
  }
  connect(Button2, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button2Click(); }); });
  connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
  auto *buttons = new QVBoxLayout;
  buttons->addWidget(Button2);
  buttons->addWidget(Button1);
  buttons->addStretch();

  auto *alt = new QWidget;
  alt->setObjectName(QStringLiteral("alt"));
  alt->setFixedHeight(160);
  auto *bottom = new QHBoxLayout(alt);
  bottom->setContentsMargins(4, 4, 4, 4);
  bottom->addWidget(bilgiler, 3);
  bottom->addWidget(NotGrubu(QStringLiteral("Mesajınız:"), _sizin), 2);
  bottom->addWidget(NotGrubu(QStringLiteral("Siparişi Alanın Notu:"), _bizim), 2);
  bottom->addWidget(tutar);
  bottom->addLayout(buttons);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);
  layout->addWidget(cxGrid2, 1);
  layout->addWidget(DurumAciklamasi());
  layout->addWidget(alt);
  resize(1000, 600);
}

// The lines go before the grid does: the grid lets go of them first.
Tbakiyesiparisler::~Tbakiyesiparisler()
{
  cxGrid2->setDataSet(nullptr);
}

void Tbakiyesiparisler::Gom()
{
  gomulu_ = true;
  setWindowFlags(Qt::Widget);
  Button1->hide();
  // The main window shows the status legend under every tab already.
  if (QWidget *legend = findChild<QWidget *>(QStringLiteral("Panel3")))
    legend->hide();
}

void Tbakiyesiparisler::reject()
{
  if (!gomulu_)
    QDialog::reject();
}

void Tbakiyesiparisler::KolonlariUygula(BakiyeAcilisi acilis, int musteriTipi)
{
  F1->setVisible(BakiyeKolonlariUygula(*cxGrid2, acilis, musteriTipi));
  eldekiGoster = cxGrid2->column(QStringLiteral("ELDEKI"))->offered;
}

std::unique_ptr<TSonucBilgisi> Tbakiyesiparisler::kopya() const
{
  auto k = std::make_unique<TSonucBilgisi>();
  k->Kopyala(*bilgi);
  return k;
}

std::optional<BakiyeSatiri> Tbakiyesiparisler::odakliSatir() const
{
  if (!cxGrid2->isAttached())
    return std::nullopt;
  return BakiyeSatiriOku(bakiyesepet, cxGrid2->focusedRow());
}

void Tbakiyesiparisler::BakiyeAlalim()
{
  // The whole list arrives before any of it replaces the shown one.
  wire::TableMap table;
  CallOnMainConnectionNoRetry(*bagim, [&](TServerMethods1Client &client) {
    ClientRef<DBXReader> reader = client.BakiyelerVer2(bilgi->CARINO());
    if (reader)
      table = reader->table();
  });
  // The line focused before stays focused when it is still open.
  const std::optional<BakiyeSatiri> onceki = odakliSatir();
  yukleniyor_ = true;
  struct LoadEnd {
    bool &flag;
    ~LoadEnd() { flag = false; }
  } loadEnd{yukleniyor_};
  bakiyesepet.DisableControls();
  {
    struct ControlsOn {
      ClientDataSet &ds;
      ~ControlsOn() { ds.EnableControls(); }
    } controlsOn{bakiyesepet};
    bakiyesepet.SetData(std::move(table));
    ParaBicimiUygula(bakiyesepet);
  }
  toplamlariYaz();
  if (bakiyesepet.RecordCount() > 0) {
    if (!onceki || !bakiyesepet.Locate(QStringLiteral("STOKHAR_NO"), onceki->stokharNo))
      bakiyesepet.First();
  }
  yukleniyor_ = false;
  cxGrid2Resize();
  DipYukle(cxGrid2->focusedRow());
}

void Tbakiyesiparisler::toplamlariYaz()
{
  // The lines' own VAT, as the order list and the order detail count it.
  const SiparisToplami t = SiparisToplamHesapla(bakiyesepet);
  aratoplaml->setText(FormatFloat(kParaBicimi, t.toplam));
  indiriml->setText(FormatFloat(kParaBicimi, t.indirim));
  nettutarl->setText(FormatFloat(kParaBicimi, t.net));
  vergil->setText(FormatFloat(kParaBicimi, t.vergi));
  geneltoplaml->setText(FormatFloat(kParaBicimi2, t.genel));
}

void Tbakiyesiparisler::DipYukle(int row)
{
  const std::optional<BakiyeSatiri> satir = BakiyeSatiriOku(bakiyesepet, row);
  auto dip = std::make_unique<TSiparisDipAyrinti>();
  if (satir && satir->idno > 0) {
    CallOnMainConnectionNoRetry(*bagim, [&](TServerMethods1Client &client) {
      // No footer for the order: the footer shows nothing rather than
      // another line's order.
      if (ClientRef<TSiparisDipAyrinti> gelen = client.SiparisAytintisiDip(0, satir->idno))
        dip->Kopyala(*gelen);
    });
  }
  asagi = std::move(dip);
  dipYaz();
}

void Tbakiyesiparisler::dipYaz()
{
  _sipdurun->setText(asagi->Durumu());
  _teslimcinsi->setText(asagi->TeslimCinsi());
  _kargocinsi->setText(asagi->KargoCinsi());
  _kargo->setText(asagi->Kargo());
  _veren->setText(asagi->Veren());
  _sizin->setPlainText(asagi->SizinMesaj());
  _bizim->setPlainText(asagi->BizimMesaj());
}

void Tbakiyesiparisler::Goster()
{
  const QScreen *s = parentWidget() ? parentWidget()->screen() : screen();
  const QRect area = s ? s->geometry() : QRect(0, 0, 1280, 800);
  const QSize size(qMax(640, area.width() - 100), qMax(420, area.height() - 150));
  setGeometry(area.left() + 50, area.top() + qMax(0, (area.height() - size.height()) / 2), size.width(),
              size.height());
}

void Tbakiyesiparisler::cxGrid2Resize()
{
  SatirGenislikleriUygula(*cxGrid2, screen() ? screen()->geometry().width() : width());
}

void Tbakiyesiparisler::B1Click()
{
  const std::optional<BakiyeSatiri> s = odakliSatir();
  if (!s)
    return;
  if (MesajGoster(QStringLiteral("Sipariş Bakiyesini Silmek İstiyor musunuz ?"), mtConfirmation,
                  msgButtons({mbYes, mbNo}), 0, mbNo) != mrYes)
    return;
  CallOnMainConnectionNoRetry(*bagim, [&](TServerMethods1Client &client) {
    client.BakiyeDuzenle(kopya(), s->stokno, s->sirano, s->stokharNo, s->miktar, s->kalan, s->barkod);
  });
  BakiyeAlalim();
}

void Tbakiyesiparisler::B2Click()
{
  const std::optional<BakiyeSatiri> s = odakliSatir();
  if (!s)
    return;
  if (MesajGoster(QStringLiteral("Sipariş Bakiyesini Değiştirmek İstiyor musunuz ?"), mtConfirmation,
                  msgButtons({mbYes, mbNo}), 0, mbYes) != mrYes)
    return;
  Tbakiyedegistir dialog(this);
  dialog.SatiriYaz(*s, eldekiGoster);
  if (dialog.calistir() != QDialog::Accepted)
    return;
  const double q = dialog.adet->value();
  CallOnMainConnectionNoRetry(*bagim, [&](TServerMethods1Client &client) {
    client.BakiyeDegistir(kopya(), s->stokno, s->sirano, s->stokharNo, q, q, s->barkod);
  });
  BakiyeAlalim();
  MesajGoster(QStringLiteral("Bakiye Değiştirildi !"), mtInformation, msgButtons({mbOK}), 0, mbOK);
}

void Tbakiyesiparisler::F1Click()
{
  // Only sales staff with price rights see the item; a hidden item does nothing.
  if (!F1->isVisible())
    return;
  const std::optional<BakiyeSatiri> s = odakliSatir();
  if (!s)
    return;
  Tfiyatdegistir dialog(this);
  dialog.Ac(s->birimFiyat, s->indirimOrani, s->kdv);
  if (dialog.calistir() != QDialog::Accepted)
    return;
  const double fiyat = dialog.yeniFiyat;
  const double ind = dialog.yeniIndirimOrani;
  CallOnMainConnectionNoRetry(*bagim, [&](TServerMethods1Client &client) {
    client.BakiyeFiyatDegistir(kopya(), 0, s->sirano, s->stokharNo, s->miktar, s->miktar, s->barkod, fiyat,
                               ind);
  });
  BakiyeAlalim();
  MesajGoster(QStringLiteral("Fiyat Değiştirildi !"), mtInformation, msgButtons({mbOK}), 0, mbOK);
}

void Tbakiyesiparisler::Button2Click()
{
  ExcelKaydet(this, *cxGrid2);
}

void BakiyeSiparisleriAc(QWidget *owner, ServerConnection &bagc, const TSonucBilgisi &bilgi,
                         BakiyeAcilisi acilis, int musteriTipi, bool tamEkran)
{
  Tbakiyesiparisler window(owner);
  window.bagim = &bagc;
  window.bilgi = &bilgi;
  window.KolonlariUygula(acilis, musteriTipi);
  window.BakiyeAlalim();
  if (tamEkran)
    window.setWindowState(Qt::WindowMaximized);
  else
    window.Goster();
  if (Tbakiyesiparisler::ExecHook)
    Tbakiyesiparisler::ExecHook(window);
  else
    window.exec();
}
