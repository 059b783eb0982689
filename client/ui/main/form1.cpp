#include "ui/main/form1.h"

#include "app/config.h"
#include "app/identity.h"
#include "app/kabuk.h"
#include "app/sonlandir.h"
#include "server/async.h"
#include "server/baglantikur.h"
#include "server/callpatterns.h"
#include "ui/account/ayrinti_siparis.h"
#include "ui/account/bakiyesiparisler.h"
#include "ui/account/siparisler.h"
#include "ui/account/tumsiparisler.h"
#include "ui/basket/onaysip.h"
#include "ui/basket/stokayarinti.h"
#include "ui/common/excelkaydet.h"
#include "ui/common/formats.h"
#include "ui/common/mesajgoster.h"
#include "ui/content/acilisreklam.h"
#include "ui/content/banner.h"
#include "ui/content/resimmetni.h"
#include "ui/login/girisform.h"
#include "ui/main/icerik.h"
#include "ui/main/sanalpos.h"
#include "ui/main/sepet.h"
#include "ui/main/stoklistesi.h"
#include "ui/messaging/kullanicikayit.h"
#include "ui/messaging/mailform.h"
#include "ui/sales/raporform.h"
#include "ui/sales/seccari.h"
#include "widgets/browserview.h"
#include "widgets/busyindicator.h"
#include "widgets/datagrid.h"
#include "widgets/durumaciklamasi.h"
#include "widgets/kayanyazi.h"
#include "widgets/sayaclitabwidget.h"

#include <wire/mobilstokunit.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMovie>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

QString KisaSayi(double value)
{
  return QString::number(value, 'g', 15);
}

namespace {

QLabel *caption(const QString &text)
{
  auto *label = new QLabel(text);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

QWidget *tabPage(const QString &name)
{
  auto *page = new QWidget;
  page->setObjectName(name);
  return page;
}

} // namespace

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
  setObjectName(QStringLiteral("TForm1"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  font.setBold(true);
  setFont(font);

  auto *central = new QWidget;
  auto *layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  setCentralWidget(central);

  buildHeader();
  buildSearchBar();
  RxGIFAnimator2 = new QLabel;
  RxGIFAnimator2->setFixedHeight(0); // the upper banner fills it
  RxGIFAnimator2->setAlignment(Qt::AlignCenter);
  buildPages();
  buildStockList();
  buildBasket();
  buildOncekiler();
  buildBakiyeler();
  buildIcerik();
  buildSanalPos();
  buildLegend();
  Panel5 = new QWidget;
  Panel5->setObjectName(QStringLiteral("Panel5"));
  Panel5->setFixedHeight(40);
  // The lower banner above the news line; both scroll.
  RealTimeMarquee1 = new KayanYazi;
  RealTimeMarquee1->setObjectName(QStringLiteral("RealTimeMarquee1"));
  RealTimeMarquee1->setFixedHeight(0);
  RealTimeMarquee1->hide();
  kayanyazi = new KayanYazi;
  kayanyazi->setObjectName(QStringLiteral("kayanyazi"));
  kayanyazi->setFixedHeight(40);
  kayanyazi->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  kayanyazi->start();
  auto *newsLayout = new QVBoxLayout(Panel5);
  newsLayout->setContentsMargins(0, 0, 0, 0);
  newsLayout->setSpacing(0);
  newsLayout->addWidget(RealTimeMarquee1);
  newsLayout->addWidget(kayanyazi);

  layout->addWidget(Panel1);
  layout->addWidget(Panel2);
  layout->addWidget(RxGIFAnimator2);
  layout->addWidget(sPageControl1, 1);
  layout->addWidget(Panel3);
  layout->addWidget(Panel5);
}

// The datasets are members and go before the child widgets do: the grids let
// go of them first.
TForm1::~TForm1()
{
  sTabbakiyelerHide();
  cxGrid1->setDataSet(nullptr);
  cxGrid2->setDataSet(nullptr);
  cxGrid3->setDataSet(nullptr);
}

void TForm1::buildHeader()
{
  Panel1 = new QWidget;
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setAttribute(Qt::WA_StyledBackground);
  Panel1->setFixedHeight(100);
  Image1 = new QLabel;
  Image1->setPixmap(QIcon(QStringLiteral(":/icons/logo.svg")).pixmap(QSize(220, 80)));
  Image1->setFixedSize(224, 84);
  kullanicilbl = new QLabel;
  cariadilbl = new QLabel;
  saticilbl = new QLabel;
  for (QLabel *value : {kullanicilbl, cariadilbl, saticilbl})
    value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // long texts give way to the banner
  kullanicilbl->setObjectName(QStringLiteral("kullanicilbl"));
  cariadilbl->setObjectName(QStringLiteral("cariadilbl"));
  saticilbl->setObjectName(QStringLiteral("saticilbl"));
  auto *grid = new QGridLayout;
  grid->setHorizontalSpacing(4);
  grid->addWidget(caption(QStringLiteral("Kullanıcı: ")), 0, 0);
  grid->addWidget(kullanicilbl, 0, 1);
  grid->addWidget(caption(QStringLiteral("Firma: ")), 1, 0);
  grid->addWidget(cariadilbl, 1, 1);
  grid->addWidget(caption(QStringLiteral("Temsilci: ")), 2, 0);
  grid->addWidget(saticilbl, 2, 1);
  grid->setColumnStretch(1, 1);

  GifResim1 = new QLabel;
  GifResim1->setObjectName(QStringLiteral("GifResim1"));
  GifResim1->setFixedSize(300, 94);

  Genelmenu = new QMenu(this);
  M1 = Genelmenu->addAction(QStringLiteral("Mail Gönder"));
  Genelmenu->addSeparator();
  N4 = Genelmenu->addAction(QStringLiteral("Şifre Değiştirme İsteği"));
  Genelmenu->addSeparator();
  webSitesi = Genelmenu->addAction(WebHostBase());
  Genelmenu->addSeparator();
  G1 = Genelmenu->addAction(QStringLiteral("Çıkış"));
  Genelmenu->addSeparator();
  R1 = Genelmenu->addAction(QStringLiteral("Raporlar"));
  R1->setVisible(false);
  connect(M1, &QAction::triggered, this, [this] { RunGuarded([this] { M1Click(); }); });
  connect(N4, &QAction::triggered, this, [this] { RunGuarded([this] { N4Click(); }); });
  connect(R1, &QAction::triggered, this, [this] { RunGuarded([this] { R1Click(); }); });
  connect(webSitesi, &QAction::triggered, this, [this] {
    KabuktaAc(webSitesi->text());
    araedit->selectAll();
    araedit->setFocus();
  });
  connect(G1, &QAction::triggered, this, &QWidget::close);

  Button3 = new QToolButton;
  Button3->setObjectName(QStringLiteral("Button3"));
  Button3->setFixedSize(84, 94);
  Button3->setIcon(QIcon(QStringLiteral(":/icons/menu.svg")));
  Button3->setIconSize(QSize(56, 56));
  Button3->setMenu(Genelmenu);
  Button3->setPopupMode(QToolButton::MenuButtonPopup);

  auto *header = new QHBoxLayout(Panel1);
  header->setContentsMargins(8, 3, 8, 3);
  header->addWidget(Image1);
  header->addSpacing(16);
  header->addLayout(grid, 1);
  header->addWidget(GifResim1);
  header->addWidget(Button3);
}

void TForm1::buildSearchBar()
{
  Panel2 = new QWidget;
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setAttribute(Qt::WA_StyledBackground);
  Panel2->setFixedHeight(35);
  auto *icon = new QLabel;
  icon->setPixmap(QIcon(QStringLiteral(":/icons/ara.svg")).pixmap(QSize(24, 24)));
  araedit = new QLineEdit;
  araedit->setObjectName(QStringLiteral("araedit"));
  araedit->setFixedWidth(340);
  araedit->installEventFilter(this);
  // Pasted text is not folded, but shows in upper case too.
  connect(araedit, &QLineEdit::textEdited, araedit, [this](const QString &text) {
    const QString upper = text.toUpper();
    if (upper != text) {
      const int cursor = araedit->cursorPosition();
      araedit->setText(upper);
      araedit->setCursorPosition(cursor);
    }
  });
  SpeedButton2 = new QToolButton;
  SpeedButton2->setToolTip(QStringLiteral("Ara"));
  SpeedButton2->setIcon(QIcon(QStringLiteral(":/icons/ara.svg")));
  SpeedButton1 = new QToolButton;
  SpeedButton1->setToolTip(QStringLiteral("Temizle"));
  SpeedButton1->setIcon(QIcon(QStringLiteral(":/icons/temizle.svg")));
  connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
  connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
  musteritus = new QPushButton(QStringLiteral("Başka Cari Seç"));
  musteritus->setFixedWidth(149);
  musteritus->setVisible(false);
  connect(musteritus, &QPushButton::clicked, this, &TForm1::musteritusClick);
  auto *bar = new QHBoxLayout(Panel2);
  bar->setContentsMargins(6, 1, 6, 1);
  bar->setSpacing(4);
  bar->addWidget(icon);
  bar->addWidget(araedit);
  bar->addWidget(SpeedButton2);
  bar->addWidget(SpeedButton1);
  bar->addWidget(musteritus);
  for (BusyIndicator **busy :
       {&gifstokara, &gifyeniler, &gifkampanyali, &gifduyuru, &gifoncekiler, &gifekstre, &gifsepet}) {
    *busy = new BusyIndicator;
    bar->addWidget(*busy);
  }
  bar->addStretch();
}

void TForm1::buildPages()
{
  sPageControl1 = new SayacliTabWidget;
  sPageControl1->setObjectName(QStringLiteral("sPageControl1"));
  sPageControl1->setIconSize(QSize(24, 24));
  struct Page {
    QWidget **page;
    const char *name;
    const char *caption;
    const char *icon;
  };
  const Page pages[] = {
      {&sstoklistesi, "sstoklistesi", "Stok Listesi", "tab-stok"},
      {&ssepet, "ssepet", "Sepet", "tab-sepet"},
      {&sonceki, "sonceki", "Önceki Siparişler", "tab-onceki"},
      {&sccariekstre, "sccariekstre", "Cari Ekstre", "tab-ekstre"},
      {&syeniler, "syeniler", "Yeni Stoklar", "tab-yeni"},
      {&skampanyali, "skampanyali", "Kampanyalı Stoklar", "tab-kampanya"},
      {&sTabSheetduyuru, "sTabSheetduyuru", "Duyurular", "tab-duyuru"},
      {&sTabbakiyeler, "sTabbakiyeler", "Bakiyeler", "tab-bakiye"},
      {&ss, "ss", "Sanal Pos", "tab-sanalpos"},
  };
  for (const Page &p : pages) {
    *p.page = tabPage(QString::fromLatin1(p.name));
    sPageControl1->addTab(*p.page, QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(p.icon))),
                          QString::fromUtf8(p.caption));
  }
  sPageControl1->setCurrentWidget(sstoklistesi);
}

void TForm1::buildLegend()
{
  Panel3 = DurumAciklamasi();
}

bool TForm1::FormCreate()
{
  _acilisadet = 0;
  _acilisgoruldu = false;
  QApplication::setApplicationDisplayName(QStringLiteral("Tarvesa Otomotiv B2B"));
  setWindowTitle(QStringLiteral("Tarvesa Otomotiv B2B Programı"));

  sbilgi.SetBilgiSayarAdi(BilgisayarAdiAl());
  sbilgi.SetBilgisayarKullanici(KullaniciAdiAl());
  sbilgi.SetIcip(IcIpAl());
  sbilgi.SetBILGISAYARID(BilgisayarIdAl());

  const ServerAddress address = ApplicationServer();
  bagc.setParam(QStringLiteral("HostName"), address.host);
  bagc.setParam(QStringLiteral("Port"), QString::number(address.port));
  bagc.setParam(QStringLiteral("ComputerId"), sbilgi.BILGISAYARID());
  webSitesi->setText(WebHostBase());

  {
    Tgirisform giris(this, bagc, sbilgi);
    if (giris.exec() != QDialog::Accepted || sbilgi.Disip().trimmed().isEmpty()) {
      ProgramiSonlandir(0);
      return false;
    }
  }
  KullaniciTipiUygula();
  BaslangicYuklemesi();
  BildirimKaydet();
  return true;
}

void TForm1::KullaniciTipiUygula()
{
  switch (sbilgi.MusteriTipi()) {
  case 1:
  case 2:
    musteritus->setVisible(true);
    R1->setVisible(true);
    for (DataGrid *grid : {cxGrid1, cxGrid6, cxkampanyali, cxGrid2}) {
      grid->setColumnShown(QStringLiteral("KALAN"), true);
      grid->setColumnOffered(QStringLiteral("KALAN"), true);
    }
    for (DataGrid *grid : {cxGrid1, cxGrid6, cxkampanyali})
      for (const char *key : {"ALINANSIPARIS", "VERILENSIPARIS"}) {
        grid->setColumnShown(QString::fromLatin1(key), true);
        grid->setColumnOffered(QString::fromLatin1(key), true);
      }
    break;
  case 3:
    cxGrid2->setColumnShown(QStringLiteral("DURUM"), false);
    cxGrid2->setColumnOffered(QStringLiteral("DURUM"), false);
    R1->setVisible(false);
    break;
  case 4:
    sPageControl1->setTabVisible(sPageControl1->indexOf(skampanyali), false);
    // Campaign prices stay hidden in both layouts of the stock list.
    kampanyaGizli_ = true;
    for (DataGrid *grid : {cxGrid1, cxGrid6})
      for (const char *key : {"KAMPFIYAT", "K"}) {
        grid->setColumnShown(QString::fromLatin1(key), false);
        grid->setColumnOffered(QString::fromLatin1(key), false);
      }
    R1->setVisible(false);
    break;
  default:
    break;
  }
}

void TForm1::AnaBilgiAl()
{
  kullanicilbl->setText(sbilgi.ADI());
  cariadilbl->setText(sbilgi.CariAdi());
  saticilbl->setText(sbilgi.SaticiAdi() + QStringLiteral(" Telefonu: ") + sbilgi.SaticiTelefon() +
                     QStringLiteral(" email: ") + sbilgi.SaticiMail());
}

void TForm1::KayanYaziAl()
{
  QString text;
  if (!CallOnClone(
          bagc, [&](TServerMethods1Client &client) { text = client.KayanYaziGetir(); }, 1))
    return; // the old news line stays
  RunOnUiThreadAndWait([&] {
    kayanyazi->stop();
    kayanyazi->clear();
    if (!text.trimmed().isEmpty())
      kayanyazi->addText(text, true);
    kayanyazi->start(); // runs also without an item
  });
}

namespace {
// An animated picture of `bytes` on `label`; false when the bytes are no
// picture. The movie and its buffer belong to the label.
bool animasyonYukle(QLabel *label, const QByteArray &bytes)
{
  auto *buffer = new QBuffer;
  buffer->setData(bytes);
  auto *movie = new QMovie(buffer, QByteArray(), label);
  buffer->setParent(movie);
  if (!movie->isValid()) {
    delete movie;
    return false;
  }
  if (QMovie *old = label->movie())
    old->deleteLater();
  label->setMovie(movie);
  movie->start();
  return true;
}
} // namespace

void TForm1::BannerREsimAl()
{
  const std::optional<QByteArray> bytes = BannerIndir(bagc, &TServerMethods1Client::BannerResimVer);
  if (!bytes || bytes->isEmpty())
    return;
  RunOnUiThreadAndWait([&] {
    GifResim1->hide();
    if (animasyonYukle(GifResim1, *bytes))
      GifResim1->show();
  });
}

void TForm1::BannerREsimAlUst()
{
  const std::optional<QByteArray> bytes = BannerIndir(bagc, &TServerMethods1Client::BannerResimVer2);
  if (!bytes)
    return;
  RunOnUiThreadAndWait([&] {
    if (bytes->isEmpty() || !animasyonYukle(RxGIFAnimator2, *bytes)) {
      if (QMovie *old = RxGIFAnimator2->movie())
        old->deleteLater();
      RxGIFAnimator2->clear();
      RxGIFAnimator2->setFixedHeight(0);
      return;
    }
    RxGIFAnimator2->setFixedHeight(RxGIFAnimator2->movie()->frameRect().height());
  });
}

void TForm1::BannerREsimAlAlt()
{
  const std::optional<QByteArray> bytes = BannerIndir(bagc, &TServerMethods1Client::BannerResimVer3);
  if (!bytes)
    return;
  RunOnUiThreadAndWait([&] {
    if (bytes->isEmpty()) {
      RealTimeMarquee1->stop();
      RealTimeMarquee1->hide();
      RealTimeMarquee1->setFixedHeight(0);
      Panel5->setFixedHeight(40); // the news line alone
      return;
    }
    QPixmap bitmap;
    if (bytes->size() < 11 || !bitmap.loadFromData(*bytes, "BMP"))
      return;
    RealTimeMarquee1->clear();
    RealTimeMarquee1->addPixmap(bitmap);
    RealTimeMarquee1->setFixedHeight(bitmap.height());
    RealTimeMarquee1->show();
    RealTimeMarquee1->start();
    Panel5->setFixedHeight(bitmap.height() + 40);
  });
}

void TForm1::AcilisReklamAdetAl()
{
  _acilisadet = 0;
  int adet = 0;
  if (!CallOnClone(
          bagc, [&](TServerMethods1Client &client) { adet = client.AcilisReklamAdet(); }, 1))
    return;
  RunOnUiThreadAndWait([&] {
    _acilisadet = adet;
    sPageControl1->setCaption(sTabSheetduyuru, QString::number(adet) + QStringLiteral("=Duyurular"));
  });
}

void TForm1::AcilisReklamGoster()
{
  if (_acilisgoruldu || _acilisadet == 0)
    return;
  QString arama;
  {
    Tacilisreklam reklam(this, bagc, sbilgi);
    if (reklam.calistir() != QDialog::Accepted)
      return;
    arama = reklam.arama;
  }
  AramaMetniniIzle(arama);
}

void TForm1::AramaMetniniIzle(const QString &arama)
{
  switch (AramaMetniYonu(arama)) {
  case AramaYonu::Kampanya:
    sPageControl1->setCurrentWidget(skampanyali);
    break;
  case AramaYonu::Yeni:
    sPageControl1->setCurrentWidget(syeniler);
    break;
  case AramaYonu::StokArama:
    araedit->setText(arama);
    SpeedButton2Click();
    break;
  case AramaYonu::Hicbiri:
    break;
  }
}

void TForm1::IcerikYukle()
{
  KayanYaziAl();
  BannerREsimAl();
  BannerREsimAlUst();
  BannerREsimAlAlt();
  AcilisReklamAdetAl();
  BalonYaz();
}

void TForm1::BalonYaz()
{
  auto copy = std::make_unique<TSonucBilgisi>();
  copy->Kopyala(sbilgi);
  std::unique_ptr<ServerConnection> clone = bagc.clone();
  if (!BaglantiKur(*clone, 1))
    return;
  TServerMethods1Client client(*clone);
  ClientRef<DBXReader> reader = client.BalonGetir(std::move(copy));
  while (reader && reader->Next()) {
    const int sepet = reader->Value(0).toInt();
    const int yeni = reader->Value(1).toInt();
    const int kampanya = reader->Value(2).toInt();
    const double bakiye = reader->Value(4).toDouble();
    RunOnUiThreadAndWait([&] {
      sPageControl1->setCaption(ssepet, QString::number(sepet) + QStringLiteral("=Sepet"));
      sPageControl1->setCaption(syeniler, QString::number(yeni) + QStringLiteral("=Yeni Stoklar"));
      sPageControl1->setCaption(skampanyali, QString::number(kampanya) + QStringLiteral("=Kampanyalı"));
      sPageControl1->setCaption(sTabbakiyeler, KisaSayi(bakiye) + QStringLiteral("=Bakiyeler"));
    });
  }
}

void TForm1::BaslangicYuklemesi()
{
  Async([this] {
    RunOnUiThreadAndWait([this] { AnaBilgiAl(); });
    IcerikYukle();
  })->Await([this] {
    if (isMinimized())
      showMaximized();
    AcilisReklamGoster();
  });
}

void TForm1::BildirimKaydet()
{
  BildirimKanali::Ayarlar ayarlar;
  ayarlar.host = bagc.param(QStringLiteral("HostName"));
  ayarlar.port = quint16(bagc.param(QStringLiteral("Port")).toUInt());
  ayarlar.computerId = sbilgi.BILGISAYARID();
  ayarlar.channelName = CallbackChannelName();
  QPointer<TForm1> self(this);
  kanal.start(ayarlar, [self] {
    PostToUiThread([self] {
      if (self)
        self->GeriBildirimAlQue();
    });
  });
}

void TForm1::GeriBildirimAlQue()
{
  // Refreshes run one after another, never inside each other.
  if (yenileniyor_) {
    yenilemeBekliyor_ = true;
    return;
  }
  yenileniyor_ = true;
  AnaBilgiAl();
  Async([this] { IcerikYukle(); })->Await([this] {
    yenileniyor_ = false;
    if (yenilemeBekliyor_) {
      yenilemeBekliyor_ = false;
      GeriBildirimAlQue();
      return;
    }
    AcilisReklamGoster();
  });
}

void TForm1::closeEvent(QCloseEvent *event)
{
  if (MesajGoster(QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"), mtConfirmation,
                  msgButtons({mbYes, mbNo}), 0, mbYes) == mrYes) {
    ProgramiSonlandir(0);
    event->accept(); // reached only under a test hook
    return;
  }
  event->ignore();
}

// ---- Stock list ----

void TForm1::buildStockList()
{
  cxGrid1 = new DataGrid;
  cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(13);
  cxGrid1->setFont(font);
  cxGrid1->setColumns(StokKolonlari([this](int row) {
    const auto value = [&](const char *name) {
      const Field *f = stok.FindField(QString::fromLatin1(name));
      return f ? stok.CellValue(row, f->Index()).toDouble() : 0.0;
    };
    return FiyatBilgisiYazisi(value("LISTEFIYAT1"), value("KAMPFIYAT"), value("NETFIYAT"), value("KDVDAHIL"));
  }));
  cxGrid1->setDataSet(&stok);
  cxGrid1->setHeaderHeight(40);
  cxGrid1->setRowHeight(60);

  popstok = new QMenu(this);
  S2 = popstok->addAction(QStringLiteral("Sepete Ekle"));
  popstok->addSeparator();
  B1 = popstok->addAction(QStringLiteral("Sipariş Bakiyeleriniz"));
  popstok->addSeparator();
  S3 = popstok->addAction(QStringLiteral("Siparişleri Göster"));
  connect(S3, &QAction::triggered, this, [this] { RunGuarded([this] { S3Click(); }); });
  connect(S2, &QAction::triggered, this, [this] { RunGuarded([this] { StokSatiriAc(cxGrid1, stok); }); });
  // The dealer's open balance orders live on the balances tab.
  connect(B1, &QAction::triggered, this, [this] { sPageControl1->setCurrentWidget(sTabbakiyeler); });
  connect(cxGrid1, &DataGrid::rowDoubleClicked, this,
          [this] { RunGuarded([this] { StokSatiriAc(cxGrid1, stok); }); });
  connect(cxGrid1, &DataGrid::contextMenuRequested, this, [this](const QPoint &at) {
    if (cxGrid1->focusedRow() >= 0)
      popstok->exec(at);
  });
  connect(cxGrid1, &DataGrid::resized, this, &TForm1::cxGrid1Resize);

  auto *layout = new QVBoxLayout(sstoklistesi);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(cxGrid1);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == araedit && event->type() == QEvent::KeyPress)
    return araeditKeyPress(static_cast<QKeyEvent *>(event));
  return QMainWindow::eventFilter(watched, event);
}

bool TForm1::araeditKeyPress(QKeyEvent *event)
{
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    StokAra();
    return true;
  }
  const QString text = event->text();
  if (text.isEmpty() || !text.at(0).isPrint() ||
      (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
    return false;
  araedit->insert(AramaHarfi(text));
  return true;
}

void TForm1::SpeedButton2Click()
{
  if (araedit->isEnabled())
    StokAra();
}

void TForm1::StokAra()
{
  if (sPageControl1->currentWidget() != sstoklistesi)
    sPageControl1->setCurrentWidget(sstoklistesi);
  if (araedit->text().trimmed().size() < 3) {
    MesajGoster(QStringLiteral("Lütfen en az 3 harf giriniz !"), mtWarning, msgButtons({mbOK}), 0, mbOK);
    return;
  }
  const QString kod = araedit->text(); // as typed, blanks included
  araedit->setEnabled(false);
  gifstokara->start();
  cxGrid1->detach();
  cxGrid1->lockView();
  cxGrid1->clearFilter();

  auto copy = std::make_shared<TSonucBilgisi>();
  copy->Kopyala(sbilgi);
  // The worker only talks to the server; the rows move into `stok` on the
  // user-interface thread, so no control can ever see a half-filled list.
  auto result = std::make_shared<std::optional<wire::TableMap>>();
  Async([this, kod, copy, result] {
    CallOnClone(bagc, [&](TServerMethods1Client &client) {
      auto bilgi = std::make_unique<TSonucBilgisi>();
      bilgi->Kopyala(*copy);
      *result = client.StokAraGetirTarvesa(kod, std::move(bilgi));
    });
  })->Await([this, result] {
    bool ok = false;
    if (*result) {
      try {
        stok.SetData(std::move(**result));
        ok = stok.FindField(QStringLiteral("IND1")) != nullptr;
        ParaBicimiUygula(stok);
      } catch (const std::exception &) {
        ok = false;
      }
    }
    araedit->setEnabled(true);
    cxGrid1->attach();
    cxGrid1->unlockView();
    araedit->selectAll();
    araedit->setFocus();
    gifstokara->stop();
    if (ok) {
      sPageControl1->setCaption(sstoklistesi,
                                QString::number(stok.RecordCount()) + QStringLiteral("=Stok Listesi"));
      cxGrid1Resize();
    } else {
      if (stok.Active())
        stok.EmptyDataSet();
      MesajGoster(kBaglantiKurulamiyor, mtError, msgButtons({mbOK}), 0, mbOK);
      sPageControl1->setCaption(sstoklistesi, QStringLiteral("Stok Listesi"));
    }
  });
}

void TForm1::SpeedButton1Click()
{
  if (!araedit->isEnabled())
    return;
  if (stok.Active()) {
    stok.EmptyDataSet();
    sPageControl1->setCaption(sstoklistesi, QStringLiteral("Stok Listesi"));
  }
  sPageControl1->setCurrentWidget(sstoklistesi);
  cxGrid1->clearFilter();
  araedit->clear();
  araedit->selectAll();
  araedit->setFocus();
}

void TForm1::cxGrid1Resize()
{
  if (araedit->isEnabled())
    StokDuzeniUygula(*cxGrid1, width(), kampanyaGizli_);
}

void TForm1::StokSatiriAc(DataGrid *grid, ClientDataSet &dataSet)
{
  const int row = grid->focusedRow();
  const Field *key = dataSet.FindField(QStringLiteral("STOK_STOKNO"));
  if (row < 0 || !key)
    return;
  const QVariant stokno = dataSet.CellValue(row, key->Index());
  dataSet.Locate(QStringLiteral("STOK_STOKNO"), stokno);
  if (!sepet.Active())
    SepetiYenile();
  const SepetIslemi islem{this, bagc, sbilgi, [this] { SepetiYenile(); }};
  if (sepet.Active() && sepet.FindField(QStringLiteral("STOKNO")) &&
      sepet.Locate(QStringLiteral("STOKNO"), stokno)) {
    ::SatirDegistir(islem, sepet);
    return;
  }
  if (&dataSet == &YENILER)
    YenilerdenEkle(islem, dataSet);
  else if (&dataSet == &kampstok)
    KampanyadanEkle(islem, dataSet);
  else
    StokListesindenEkle(islem, dataSet);
}

// ---- Basket ----

void TForm1::buildBasket()
{
  cxGrid2 = new DataGrid;
  cxGrid2->setObjectName(QStringLiteral("cxGrid2"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  cxGrid2->setFont(font);
  cxGrid2->setColumns(SepetKolonlari());
  cxGrid2->setDataSet(&sepet);
  cxGrid2->setHeaderHeight(40);
  cxGrid2->setRowHeight(40);

  PopupMenu1 = new QMenu(this);
  Deitir1 = PopupMenu1->addAction(QStringLiteral("Satır Değiştir"));
  PopupMenu1->addSeparator();
  SatrSil1 = PopupMenu1->addAction(QStringLiteral("Satır Sil"));
  PopupMenu1->addSeparator();
  HepsiniSil1 = PopupMenu1->addAction(QStringLiteral("Hepsini Sil"));
  connect(Deitir1, &QAction::triggered, this, [this] { RunGuarded([this] { SatirDegistir(); }); });
  connect(SatrSil1, &QAction::triggered, this, [this] { RunGuarded([this] { SatirSil(); }); });
  connect(HepsiniSil1, &QAction::triggered, this, [this] { RunGuarded([this] { HepsiniSil(); }); });
  connect(cxGrid2, &DataGrid::contextMenuRequested, this, [this](const QPoint &at) { PopupMenu1->exec(at); });
  connect(cxGrid2, &DataGrid::rowDoubleClicked, this,
          [this](int row, const QString &column) { RunGuarded([&] { SepetSatiriCiftTik(row, column); }); });
  connect(cxGrid2, &DataGrid::resized, this, [this] {
    if (cxGrid2->isEnabled())
      cxGrid2->applyWidthRule(screen() ? screen()->geometry().width() : width());
  });

  auto *panelsec = new QWidget;
  panelsec->setObjectName(QStringLiteral("panelsec"));
  panelsec->setFixedHeight(41);
  Button4 = new QPushButton(QIcon(QStringLiteral(":/icons/evet.svg")), QStringLiteral("Hepsini Seç"));
  Button5 = new QPushButton(QIcon(QStringLiteral(":/icons/hayir.svg")), QStringLiteral("Seçimleri Kaldır"));
  for (QPushButton *b : {Button4, Button5})
    b->setFixedWidth(150);
  lbluyarbakiye = new QLabel;
  lbluyarbakiye->setObjectName(QStringLiteral("lbluyarbakiye"));
  lbluyarbakiye->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  auto *sec = new QHBoxLayout(panelsec);
  sec->setContentsMargins(4, 3, 4, 3);
  sec->addWidget(Button4);
  sec->addWidget(Button5);
  sec->addSpacing(12);
  sec->addWidget(lbluyarbakiye, 1);
  connect(Button4, &QPushButton::clicked, this, [this] { RunGuarded([this] { HepsiniSec(1); }); });
  connect(Button5, &QPushButton::clicked, this, [this] { RunGuarded([this] { HepsiniSec(0); }); });

  auto *Panel4 = new QWidget;
  Panel4->setObjectName(QStringLiteral("Panel4"));
  Panel4->setFixedHeight(131);
  auto *bilgi = new QGroupBox(QStringLiteral("Bilgi"));
  bilgi->setObjectName(QStringLiteral("bilgi"));
  bilgi->setFixedWidth(360);
  auto *totals = new QGridLayout(bilgi);
  totals->setContentsMargins(10, 4, 10, 4);
  totals->setVerticalSpacing(1);
  const auto row = [&](int r, const QString &caption, QLabel *&value, QLabel **captionOut = nullptr) {
    auto *c = new QLabel(caption);
    value = new QLabel;
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totals->addWidget(c, r, 0);
    totals->addWidget(value, r, 1);
    if (captionOut)
      *captionOut = c;
    return c;
  };
  row(0, QStringLiteral("Toplam:"), aratoplaml);
  row(1, QStringLiteral("İndirim Toplam:"), indiriml, &Label4);
  row(2, QStringLiteral("Ara Toplam:"), nettutarl);
  row(3, QStringLiteral("Vergi:"), vergil, &Label6);
  QLabel *genel = row(4, QStringLiteral("Genel Toplam:"), geneltoplaml);
  genel->setObjectName(QStringLiteral("genelbaslik"));
  geneltoplaml->setObjectName(QStringLiteral("geneltoplaml"));
  Button1 = new QPushButton(QIcon(QStringLiteral(":/icons/gonder.svg")), QStringLiteral("Gönder"));
  Button2 = new QPushButton(QIcon(QStringLiteral(":/icons/excel.svg")), QStringLiteral("Excel Kaydet"));
  Button1->setObjectName(QStringLiteral("gonder"));
  for (QPushButton *b : {Button1, Button2}) {
    b->setFixedSize(150, 52);
    b->setIconSize(QSize(24, 24));
  }
  connect(Button1, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button1Click(); }); });
  connect(Button2, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button2Click(); }); });
  auto *buttons = new QVBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto *bottom = new QHBoxLayout(Panel4);
  bottom->setContentsMargins(4, 2, 8, 4);
  bottom->addStretch(1);
  bottom->addWidget(bilgi);
  bottom->addLayout(buttons);
  ToplamlariYaz();

  auto *layout = new QVBoxLayout(ssepet);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(cxGrid2, 1);
  layout->addWidget(panelsec);
  layout->addWidget(Panel4);

  connect(sPageControl1, &SayacliTabWidget::currentChanged, this, [this](int index) {
    if (sPageControl1->widget(index) == ssepet)
      ssepetShow();
  });
}

namespace {
// The dealer's basket from the server on a connection of its own; nothing
// when the server cannot be reached (the connection message was shown).
std::optional<wire::TableMap> SepetVerisiAl(const ServerConnection &bagc, qint32 carino)
{
  std::optional<wire::TableMap> table;
  CallOnClone(
      bagc, [&](TServerMethods1Client &client) { table = client.SepetVer2(carino); }, 1);
  return table;
}
} // namespace

void TForm1::ssepetShow()
{
  lbluyarbakiye->clear();
  gifsepet->start();
  cxGrid2->setEnabled(false);
  cxGrid2->detach();
  cxGrid2->lockView();
  ssepet->findChild<QWidget *>(QStringLiteral("panelsec"))->setEnabled(false);
  ssepet->findChild<QWidget *>(QStringLiteral("Panel4"))->setEnabled(false);
  HesapUyarisiAl();
  const int no = ++sepetYuklemeNo_;
  ++sepetYukleniyor_;
  auto result = std::make_shared<std::optional<wire::TableMap>>();
  const qint32 carino = sbilgi.CARINO();
  Async([this, carino, result] { *result = SepetVerisiAl(bagc, carino); })->Await([this, no, result] {
    if (*result && no == sepetYuklemeNo_)
      sepetUygula(std::move(**result));
    cxGrid2->unlockView();
    // The tab shown again meanwhile: the last load gives the grid back.
    if (--sepetYukleniyor_ > 0)
      return;
    cxGrid2->setEnabled(true);
    cxGrid2->attach();
    ssepet->findChild<QWidget *>(QStringLiteral("panelsec"))->setEnabled(true);
    ssepet->findChild<QWidget *>(QStringLiteral("Panel4"))->setEnabled(true);
    gifsepet->stop();
    cxGrid2->applyWidthRule(screen() ? screen()->geometry().width() : width());
  });
}

bool TForm1::SepetiYenile()
{
  ++sepetYuklemeNo_; // a background load still on its way is now stale
  std::optional<wire::TableMap> table = SepetVerisiAl(bagc, sbilgi.CARINO());
  if (!table)
    return false;
  sepetUygula(std::move(*table));
  return true;
}

void TForm1::sepetUygula(wire::TableMap &&table)
{
  sepet.SetData(std::move(table));
  ParaBicimiUygula(sepet);
  sPageControl1->setCaption(ssepet, QString::number(sepet.RecordCount()) + QStringLiteral("=Sepet"));
  ToplamlariYaz();
}

void TForm1::ToplamlariYaz()
{
  const SepetToplami t = SepetToplamHesapla(sepet);
  aratoplaml->setText(FormatFloat(kParaBicimi, t.toplam));
  indiriml->setText(FormatFloat(kParaBicimi, t.indirim));
  nettutarl->setText(FormatFloat(kParaBicimi, t.net));
  vergil->setText(FormatFloat(kParaBicimi, t.vergi));
  geneltoplaml->setText(FormatFloat(kParaBicimi, t.genel));
  Label4->setVisible(ToplamSatiriGoster(t.indirim));
  indiriml->setVisible(ToplamSatiriGoster(t.indirim));
  Label6->setVisible(ToplamSatiriGoster(t.vergi));
  vergil->setVisible(ToplamSatiriGoster(t.vergi));
}

namespace {
// Stores the mark of one line on its own connection; false when it could not
// be stored. The server orders the lines it has marked, so a line shows the
// new mark only once the server holds it.
bool secimSakla(const ServerConnection &bagc, qint32 sirano, qint32 secim)
{
  return CallOnClone(
      bagc, [&](TServerMethods1Client &client) { client.SepetSecimGuncelle(sirano, secim); }, 1);
}
} // namespace

void TForm1::HepsiniSec(int secim)
{
  Field *sec = sepet.FindField(QStringLiteral("SEC"));
  const Field *sirano = sepet.FindField(QStringLiteral("SIRANO"));
  if (KayitVarmi(sepet) && sec && sirano) {
    const int recNo = sepet.RecNo();
    sepet.DisableControls();
    struct ControlsOn {
      ClientDataSet &ds;
      ~ControlsOn() { ds.EnableControls(); }
    } controlsOn{sepet};
    sepet.First();
    // The first line that cannot be stored ends the run (the server is
    // gone); the lines after it keep their marks.
    while (!sepet.Eof() && secimSakla(bagc, sirano->AsInteger(), secim)) {
      sepet.Edit();
      sec->SetAsInteger(secim);
      sepet.Post();
      sepet.Next();
    }
    sepet.SetRecNo(recNo);
  }
  ToplamlariYaz();
  if (araedit->isEnabled()) {
    araedit->selectAll();
    araedit->setFocus();
  }
}

namespace {
// Moves the basket to the line a grid row shows; false when there is none.
bool satiraGit(ClientDataSet &sepet, int row)
{
  const Field *sirano = sepet.FindField(QStringLiteral("SIRANO"));
  if (row < 0 || !sirano || row >= sepet.RecordCount())
    return false;
  return sepet.Locate(QStringLiteral("SIRANO"), sepet.CellValue(row, sirano->Index()));
}
} // namespace

void TForm1::SepetSatiriCiftTik(int row, const QString &column)
{
  if (!satiraGit(sepet, row))
    return;
  if (column == QLatin1String("SEC")) {
    Field *sec = sepet.FieldByName(QStringLiteral("SEC"));
    const int secim = sec->AsInteger() == 0 ? 1 : 0;
    if (!secimSakla(bagc, sepet.FieldByName(QStringLiteral("SIRANO"))->AsInteger(), secim))
      return;
    sepet.Edit();
    sec->SetAsInteger(secim);
    sepet.Post();
    ToplamlariYaz();
    return;
  }
  ::SatirDegistir({this, bagc, sbilgi, [this] { SepetiYenile(); }}, sepet);
}

void TForm1::SatirDegistir()
{
  if (satiraGit(sepet, cxGrid2->focusedRow()))
    ::SatirDegistir({this, bagc, sbilgi, [this] { SepetiYenile(); }}, sepet);
}

void TForm1::SatirSil()
{
  if (!satiraGit(sepet, cxGrid2->focusedRow()))
    return;
  if (MesajGoster(QStringLiteral("Satırı silmek istiyor musunuz "), mtConfirmation, msgButtons({mbYes, mbNo}),
                  0, mbNo) != mrYes)
    return;
  const qint32 sirano = sepet.FieldByName(QStringLiteral("SIRANO"))->AsInteger();
  const QString aciklama = sepet.FieldByName(QStringLiteral("BARKOD"))->DisplayText() + QStringLiteral("-") +
                           sepet.FieldByName(QStringLiteral("STOKADI"))->DisplayText();
  auto copy = std::make_unique<TSonucBilgisi>();
  copy->Kopyala(sbilgi);
  if (!CallOnMainConnection(bagc, [&](TServerMethods1Client &client) {
        client.SepetSatirSil(std::move(copy), sirano, aciklama);
      }))
    return;
  SepetiYenile();
  MesajGoster(QStringLiteral("Satır silindi !"), mtInformation, msgButtons({mbOK}), 0, mbOK);
}

void TForm1::HepsiniSil()
{
  if (!KayitVarmi(sepet))
    return;
  if (MesajGoster(QStringLiteral("Tüm Sepeti Silmek İstiyor musunuz "), mtConfirmation,
                  msgButtons({mbYes, mbNo}), 0, mbNo) != mrYes)
    return;
  auto copy = std::make_unique<TSonucBilgisi>();
  copy->Kopyala(sbilgi);
  if (!CallOnMainConnection(bagc,
                            [&](TServerMethods1Client &client) { client.SepetHepsiniSil(std::move(copy)); }))
    return;
  MesajGoster(QStringLiteral("Sepet Silindi !"), mtInformation, msgButtons({mbOK}), 0, mbOK);
  SepetiYenile();
}

void TForm1::HesapUyarisiAl()
{
  const int no = ++hesapUyarisiNo_;
  const qint32 carino = sbilgi.CARINO();
  auto text = std::make_shared<QString>();
  Async([this, carino, text] {
    CallOnClone(bagc, [&](TServerMethods1Client &client) { *text = client.CariVadeGunGecmismiBul(carino); });
  })->Await([this, no, text] {
    if (no == hesapUyarisiNo_)
      lbluyarbakiye->setText(*text);
  });
}

void TForm1::Button1Click()
{
  SiparisGonder({this, bagc, sbilgi, [this] { SepetiYenile(); }}, sepet, lbluyarbakiye->text(),
                geneltoplaml->text());
}

void TForm1::Button2Click()
{
  ExcelKaydet(this, *cxGrid2);
}

// ---- Previous orders ----

void TForm1::buildOncekiler()
{
  cxGrid3 = new DataGrid;
  cxGrid3->setObjectName(QStringLiteral("cxGrid3"));
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  cxGrid3->setFont(font);
  cxGrid3->setColumns(OncekiKolonlari());
  cxGrid3->setDataSet(&ONCEKILER);
  cxGrid3->setHeaderHeight(40);
  cxGrid3->setRowHeight(40);

  poponceki = new QMenu(this);
  S1 = poponceki->addAction(QStringLiteral("Siparişi İncele"));
  poponceki->addSeparator();
  SipariBakiyeleriniz1 = poponceki->addAction(QStringLiteral("Sipariş Bakiyeleriniz"));
  poponceki->addSeparator();
  T1 = poponceki->addAction(QStringLiteral("Tüm Siparişler"));
  connect(S1, &QAction::triggered, this, [this] { RunGuarded([this] { S1Click(); }); });
  connect(T1, &QAction::triggered, this, [this] { RunGuarded([this] { T1Click(); }); });
  connect(SipariBakiyeleriniz1, &QAction::triggered, this,
          [this] { RunGuarded([this] { SipariBakiyeleriniz1Click(); }); });
  connect(cxGrid3, &DataGrid::rowDoubleClicked, this, [this] { RunGuarded([this] { S1Click(); }); });
  connect(cxGrid3, &DataGrid::contextMenuRequested, this, [this](const QPoint &at) {
    S1->setEnabled(cxGrid3->focusedRow() >= 0);
    poponceki->exec(at);
  });

  auto *layout = new QVBoxLayout(sonceki);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(cxGrid3);

  connect(sPageControl1, &SayacliTabWidget::currentChanged, this, [this](int index) {
    if (sPageControl1->widget(index) == sonceki)
      soncekiShow();
  });
}

void TForm1::soncekiShow()
{
  gifoncekiler->start();
  cxGrid3->setEnabled(false);
  cxGrid3->detach();
  cxGrid3->lockView();
  const int no = ++oncekiYuklemeNo_;
  ++oncekiYukleniyor_;
  const qint32 carino = sbilgi.CARINO();
  // The worker gets its own copy of the connection settings and only talks
  // to the server; the rows move into ONCEKILER on the user-interface thread.
  std::shared_ptr<const ServerConnection> ayar = bagc.clone();
  auto result = std::make_shared<std::optional<wire::TableMap>>();
  QPointer<TForm1> self(this);
  Async([ayar, carino, result] {
    CallOnClone(*ayar, [&](TServerMethods1Client &client) {
      ClientRef<DBXReader> reader = client.OncekiSiparisler(carino);
      *result = reader ? reader->table() : wire::TableMap{};
    });
  })->Await([self, no, carino, result] {
    if (!self)
      return;
    TForm1 &f = *self;
    if (no == f.oncekiYuklemeNo_) {
      f.oncekiHata_ = !*result;
      if (*result) {
        try {
          f.ONCEKILER.SetData(std::move(**result));
          ParaBicimiUygula(f.ONCEKILER);
          f.oncekiCarino_ = carino;
        } catch (const std::exception &) {
          f.oncekiHata_ = true;
        }
      }
      // A failed load keeps the list it had, unless that was another dealer's.
      if (f.oncekiHata_ && f.ONCEKILER.Active() && f.oncekiCarino_ != carino)
        f.ONCEKILER.EmptyDataSet();
    }
    f.cxGrid3->unlockView();
    // The tab shown again meanwhile: the last load gives the grid back.
    if (--f.oncekiYukleniyor_ > 0)
      return;
    f.cxGrid3->attach();
    f.cxGrid3->setEnabled(true);
    f.cxGrid3->bestFit();
    f.cxGrid3->setColumnWidth(QStringLiteral("VERENINNOTU"), 200);
    f.cxGrid3->setColumnWidth(QStringLiteral("ALANNOTU"), 200);
    AltToplamlariSigdir(*f.cxGrid3);
    f.gifoncekiler->stop();
    if (f.oncekiHata_)
      MesajGoster(kBaglantiKurulamiyor, mtError, msgButtons({mbOK}), 0, mbOK);
  });
}

void TForm1::S1Click()
{
  const int row = cxGrid3->isAttached() ? cxGrid3->focusedRow() : -1;
  const Field *idno = ONCEKILER.FindField(QStringLiteral("IDNO"));
  if (row < 0 || !idno || row >= ONCEKILER.RecordCount())
    return;
  SiparisAyrintisiAc(this, bagc, sbilgi, ONCEKILER.CellValue(row, idno->Index()).toInt());
}

void TForm1::T1Click()
{
  SiparisHareketleriGoster(0);
}

void TForm1::S3Click()
{
  const int row = cxGrid1->isAttached() ? cxGrid1->focusedRow() : -1;
  const Field *key = stok.FindField(QStringLiteral("STOK_STOKNO"));
  if (row < 0 || !key || row >= stok.RecordCount())
    return;
  // A row without a stock number would ask for every item's movements.
  const QVariant stokno = stok.CellValue(row, key->Index());
  if (stokno.isNull() || stokno.toInt() <= 0)
    return;
  SiparisHareketleriGoster(stokno.toInt());
}

void TForm1::SiparisHareketleriGoster(int stokno)
{
  SiparisHareketleriAc(this, bagc, sbilgi, stokno);
}

void TForm1::SipariBakiyeleriniz1Click()
{
  BakiyeSiparisleriAc(this, bagc, sbilgi, BakiyeAcilisi::SiparisMenusu, sbilgi.MusteriTipi());
}

// ---- Balances ----

void TForm1::buildBakiyeler()
{
  auto *layout = new QVBoxLayout(sTabbakiyeler);
  layout->setContentsMargins(0, 0, 0, 0);
  connect(sPageControl1, &SayacliTabWidget::currentChanged, this, [this](int index) {
    if (sPageControl1->widget(index) == sTabbakiyeler)
      sTabbakiyelerShow();
    else if (benimbakiyesiparisler)
      sTabbakiyelerHide();
  });
}

void TForm1::sTabbakiyelerShow()
{
  sTabbakiyelerHide();
  auto *window = new Tbakiyesiparisler(sTabbakiyeler);
  benimbakiyesiparisler = window;
  window->bagim = &bagc;
  window->bilgi = &sbilgi;
  window->KolonlariUygula(BakiyeAcilisi::Sekme, sbilgi.MusteriTipi());
  window->Gom(); // inside the tab, without a border
  sTabbakiyeler->layout()->addWidget(window);
  window->show();
  // A failed load leaves the window empty; the error says why.
  RunGuarded([window] { window->BakiyeAlalim(); });
}

void TForm1::sTabbakiyelerHide()
{
  delete benimbakiyesiparisler;
  benimbakiyesiparisler = nullptr;
}

// ---- General menu and dealer switch ----

void TForm1::M1Click()
{
  Tmailform form(this, bagc, sbilgi);
  form.exec();
}

void TForm1::N4Click()
{
  std::unique_ptr<Tkullanicikayit> form = Tkullanicikayit::Ac(this, bagc, sbilgi);
  form->exec();
}

void TForm1::R1Click()
{
  Traporform form(this, bagc, sbilgi);
  form.setWindowState(Qt::WindowMaximized);
  form.exec();
}

void TForm1::musteritusClick()
{
  {
    Tseccari seccari(this, bagc, sbilgi);
    RunGuarded([&] {
      seccari.SepetSayisiYaz();
      seccari.TusSonuclari();
    });
    seccari.calistir();
  }
  // Whatever was chosen, the window now shows the dealer of the login record.
  AnaBilgiAl();
  RunGuarded([this] { SepetiYenile(); });
  if (stok.Active())
    stok.EmptyDataSet();
  sPageControl1->setCaption(sstoklistesi, QStringLiteral("0=Stok Listesi"));
  sPageControl1->setCurrentWidget(sstoklistesi);
  araedit->selectAll();
  araedit->setFocus();
}

// ---- New items, campaign items, announcements ----

void TForm1::buildIcerik()
{
  const auto grid = [this](DataGrid *&g, const char *name, const QList<GridColumn> &columns,
                           ClientDataSet &ds, QWidget *page) {
    g = new DataGrid;
    g->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    g->setFont(font);
    g->setColumns(columns);
    g->setDataSet(&ds);
    g->setHeaderHeight(40);
    g->setRowHeight(40);
    connect(g, &DataGrid::rowDoubleClicked, this,
            [this, g, &ds] { RunGuarded([&] { StokSatiriAc(g, ds); }); });
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(g);
  };
  grid(cxGrid6, "cxGrid6", YeniKolonlari(), YENILER, syeniler);
  grid(cxkampanyali, "cxkampanyali", KampanyaKolonlari(), kampstok, skampanyali);
  connect(cxGrid6, &DataGrid::resized, this,
          [this] { cxGrid6->applyWidthRule(screen() ? screen()->geometry().width() : width()); });
  connect(cxkampanyali, &DataGrid::resized, this, [this] {
    if (cxkampanyali->isEnabled())
      cxkampanyali->applyWidthRule(screen() ? screen()->geometry().width() : width());
  });

  // Announcements: one large picture a row; a double click follows its
  // search text.
  cxGridduyuru = new QListWidget;
  cxGridduyuru->setObjectName(QStringLiteral("cxGridduyuru"));
  cxGridduyuru->setIconSize(QSize(605, 400));
  cxGridduyuru->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  cxGridduyuru->setSelectionMode(QAbstractItemView::SingleSelection);
  cxGridduyuru->setEditTriggers(QAbstractItemView::NoEditTriggers);
  cxGridduyuru->setSpacing(2);
  connect(cxGridduyuru, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
    RunGuarded([&] { AramaMetniniIzle(item->data(Qt::UserRole + 1).toString()); });
  });
  auto *layout = new QVBoxLayout(sTabSheetduyuru);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(cxGridduyuru);

  connect(sPageControl1, &SayacliTabWidget::currentChanged, this, [this](int index) {
    QWidget *page = sPageControl1->widget(index);
    if (page == syeniler)
      syenilerShow();
    else if (page == skampanyali)
      skampanyaliShow();
    else if (page == sTabSheetduyuru)
      sTabSheetduyuruShow();
  });
}

void TForm1::listeYukle(DataGrid *grid, ClientDataSet &ds, BusyIndicator *busy, QWidget *page,
                        const QString &title, std::function<wire::TableMap(TServerMethods1Client &)> fetch)
{
  if (!grid->isEnabled())
    return; // a load of this list is running
  busy->start();
  grid->setEnabled(false);
  grid->detach();
  grid->lockView();
  auto result = std::make_shared<std::optional<wire::TableMap>>();
  Async([this, fetch, result] {
    CallOnClone(bagc, [&](TServerMethods1Client &client) { *result = fetch(client); });
  })->Await([this, grid, &ds, busy, page, title, result] {
    if (*result) {
      ds.SetData(std::move(**result));
      ParaBicimiUygula(ds);
      sPageControl1->setCaption(page, QString::number(ds.RecordCount()) + title);
    }
    grid->attach();
    grid->unlockView();
    grid->setEnabled(true);
    busy->stop();
    grid->applyWidthRule(screen() ? screen()->geometry().width() : width());
    if (!*result)
      MesajGoster(kBaglantiKurulamiyor, mtError, msgButtons({mbOK}), 0, mbOK);
  });
}

void TForm1::syenilerShow()
{
  const qint32 carino = sbilgi.CARINO();
  listeYukle(cxGrid6, YENILER, gifyeniler, syeniler, QStringLiteral("=Yeni Stoklar"),
             [carino](TServerMethods1Client &client) { return client.YenilerVer2(carino); });
}

void TForm1::skampanyaliShow()
{
  const qint32 carino = sbilgi.CARINO();
  const qint32 tip = sbilgi.MusteriTipi();
  listeYukle(cxkampanyali, kampstok, gifkampanyali, skampanyali, QStringLiteral("=Kampanyalı"),
             [carino, tip](TServerMethods1Client &client) { return client.KampanyaliVer2(carino, tip); });
}

void TForm1::sTabSheetduyuruShow()
{
  if (!cxGridduyuru->isEnabled())
    return;
  gifduyuru->start();
  cxGridduyuru->setEnabled(false);
  struct Duyuru {
    QImage resim;
    QString baslik;
    QString arama;
  };
  auto duyurular = std::make_shared<std::optional<QList<Duyuru>>>();
  Async([this, duyurular] {
    CallOnClone(bagc, [&](TServerMethods1Client &client) {
      ClientRef<TAcilisEkranlariki> hepsi = client.AcilisEkranlarVer2();
      QList<Duyuru> list;
      if (hepsi)
        for (const auto &ekran : hepsi->Ekranlar().items) {
          Duyuru d;
          if (ekran && !ekran->Resim().isEmpty())
            d.resim = QImage::fromData(ResimMetniCoz(ekran->Resim()));
          if (ekran) {
            d.baslik = ekran->Baslik();
            d.arama = ekran->Arama();
          }
          list.append(d);
        }
      *duyurular = list;
    });
  })->Await([this, duyurular] {
    if (*duyurular) {
      cxGridduyuru->clear();
      for (const Duyuru &d : **duyurular) {
        auto *item = new QListWidgetItem;
        if (!d.resim.isNull())
          item->setIcon(QIcon(
              QPixmap::fromImage(d.resim.scaled(605, 400, Qt::KeepAspectRatio, Qt::SmoothTransformation))));
        item->setSizeHint(QSize(615, 405));
        item->setToolTip(d.baslik);
        item->setData(Qt::UserRole, d.baslik);
        item->setData(Qt::UserRole + 1, d.arama);
        cxGridduyuru->addItem(item);
      }
    }
    cxGridduyuru->setEnabled(true);
    gifduyuru->stop();
    if (!*duyurular)
      MesajGoster(kBaglantiKurulamiyor, mtError, msgButtons({mbOK}), 0, mbOK);
  });
}

// ---- Online payment ----

void TForm1::buildSanalPos()
{
  // The embedded browser is made when the page is first opened: starting
  // the browser engine costs time no other tab should pay.
  auto *layout = new QVBoxLayout(ss);
  layout->setContentsMargins(0, 0, 0, 0);
  connect(sPageControl1, &SayacliTabWidget::currentChanged, this, [this](int index) {
    if (sPageControl1->widget(index) == ss)
      RunGuarded([this] { ssShow(); });
  });
}

void TForm1::ssShow()
{
  QString bakiye;
  const qint32 carino = sbilgi.CARINO();
  CallOnClone(bagc, [&](TServerMethods1Client &client) { bakiye = client.CariDurumVer(carino); });
  if (bakiye.isEmpty()) {
    MesajGoster(QStringLiteral("Bağlantı Hatası \r\nLütfen Sonra Tekrar Deneyiniz !"), mtError,
                msgButtons({mbOK}), 0, mbOK);
    sPageControl1->setCurrentWidget(sstoklistesi);
    return;
  }
  const QString adres =
      SanalPosAdresi(WebHostBase() + QStringLiteral("sanalpos.aspx"), carino, sbilgi.CariAdi(), bakiye);
  if (IEVersiyonuAl() > 14) {
    if (!sitem) {
      sitem = new BrowserView;
      sitem->setObjectName(QStringLiteral("sitem"));
      ss->layout()->addWidget(sitem);
    }
    sitem->Navigate(adres);
    return;
  }
  const QString chrome = ChromeYoluAl();
  if (!chrome.isEmpty()) {
    ProgramBaslat(chrome, {UrlKodla(adres)});
    return;
  }
  MesajGoster(
      QStringLiteral("Sisteminiz Güvenli Değil\r\nÖdeme Alamıyoruz !\r\nLütfen Windows'u güncelleyiniz"),
      mtWarning, msgButtons({mbOK}), 0, mbOK);
}
