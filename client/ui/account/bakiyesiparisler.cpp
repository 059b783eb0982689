#include "ui/account/bakiyesiparisler.h"

#include "server/async.h"
#include "server/callpatterns.h"
#include "ui/account/bakiyedegistir.h"
#include "ui/account/fiyatdegistir.h"
#include "ui/account/siparisler.h"
#include "ui/common/excelkaydet.h"
#include "ui/common/formats.h"
#include "ui/common/mesajgoster.h"
#include "widgets/datagrid.h"

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

namespace {

QLabel *degerEtiketi(const char *name)
{
  auto *label = new QLabel;
  label->setObjectName(QString::fromLatin1(name));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // long names give way
  return label;
}

QPlainTextEdit *notKutusu(const char *name)
{
  auto *memo = new QPlainTextEdit;
  memo->setObjectName(QString::fromLatin1(name));
  memo->setReadOnly(true);
  return memo;
}

QGroupBox *notGrubu(const QString &title, QPlainTextEdit *memo)
{
  auto *group = new QGroupBox(title);
  auto *layout = new QVBoxLayout(group);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->addWidget(memo);
  return group;
}

// "Durum Açıklaması:" and the stock status icons with their meaning.
QWidget *durumAciklamasi()
{
  auto *panel = new QWidget;
  panel->setObjectName(QStringLiteral("Panel3"));
  panel->setAttribute(Qt::WA_StyledBackground);
  panel->setFixedHeight(27);
  auto *legend = new QHBoxLayout(panel);
  legend->setContentsMargins(8, 0, 8, 0);
  legend->setSpacing(2);
  auto *title = new QLabel(QStringLiteral("Durum Açıklaması:    "));
  title->setStyleSheet(QStringLiteral("font-weight: bold; color: rgb(67, 76, 88)"));
  legend->addWidget(title);
  const std::pair<const char *, const char *> items[] = {
      {"durum-var", " Stok mevcut  "},   {"durum-telefon", " Telefon Açınız  "},
      {"durum-yolda", " Yolda  "},       {"durum-tedarik", " Tedarik Sürecinde "},
      {"durum-ozel", " Özel Sipariş  "}, {"durum-yok", " Yok  "},
  };
  for (const auto &[icon, text] : items) {
    auto *image = new QLabel;
    image->setPixmap(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))).pixmap(QSize(18, 18)));
    legend->addWidget(image);
    legend->addWidget(new QLabel(QString::fromUtf8(text)));
  }
  legend->addStretch();
  return panel;
}

} // namespace

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

  auto *bilgiler = new QGroupBox(QStringLiteral("Sipariş Bilgileri"));
  auto *form = new QGridLayout(bilgiler);
  form->setContentsMargins(8, 4, 8, 6);
  form->setHorizontalSpacing(8);
  form->setVerticalSpacing(2);
  const std::pair<const char *, QLabel **> rows[] = {
      {"Sipariş Durumu:", &_sipdurun},
      {"Teslim Cinsi:", &_teslimcinsi},
      {"Kargo Cinsi:", &_kargocinsi},
      {"Kargo:", &_kargo},
      {"Veren:", &_veren},
  };
  static const char *const names[] = {"_sipdurun", "_teslimcinsi", "_kargocinsi", "_kargo", "_veren"};
  int r = 0;
  for (const auto &[text, value] : rows) {
    *value = degerEtiketi(names[r]);
    auto *caption = new QLabel(QString::fromUtf8(text));
    caption->setStyleSheet(QStringLiteral("font-weight: bold"));
    form->addWidget(caption, r, 0);
    form->addWidget(*value, r, 1);
    ++r;
  }
  form->setColumnStretch(1, 1);
  bilgiler->setMinimumWidth(260);

  _sizin = notKutusu("_sizin");
  _bizim = notKutusu("_bizim");

  auto *tutar = new QGroupBox(QStringLiteral("Tutar"));
  tutar->setObjectName(QStringLiteral("tutar"));
  tutar->setFixedWidth(280);
  auto *totals = new QGridLayout(tutar);
  totals->setContentsMargins(10, 4, 10, 6);
  totals->setVerticalSpacing(1);
  const std::pair<const char *, QLabel **> sums[] = {
      {"Toplam:", &aratoplaml}, {"İndirim Toplam:", &indiriml},   {"Ara Toplam:", &nettutarl},
      {"Vergi:", &vergil},      {"Genel Toplam:", &geneltoplaml},
  };
  static const char *const sumNames[] = {"aratoplaml", "indiriml", "nettutarl", "vergil", "geneltoplaml"};
  r = 0;
  for (const auto &[text, value] : sums) {
    auto *caption = new QLabel(QString::fromUtf8(text));
    *value = new QLabel;
    (*value)->setObjectName(QString::fromLatin1(sumNames[r]));
    (*value)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    (*value)->setTextInteractionFlags(Qt::TextSelectableByMouse);
    totals->addWidget(caption, r, 0);
    totals->addWidget(*value, r, 1);
    if (value == &geneltoplaml) {
      QFont bold = font;
      bold.setBold(true);
      caption->setFont(bold);
      geneltoplaml->setFont(bold);
    }
    ++r;
  }

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
  bottom->addWidget(notGrubu(QStringLiteral("Mesajınız:"), _sizin), 2);
  bottom->addWidget(notGrubu(QStringLiteral("Siparişi Alanın Notu:"), _bizim), 2);
  bottom->addWidget(tutar);
  bottom->addLayout(buttons);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);
  layout->addWidget(cxGrid2, 1);
  layout->addWidget(durumAciklamasi());
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
