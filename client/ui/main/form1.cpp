#include "ui/main/form1.h"

#include "app/config.h"
#include "app/identity.h"
#include "app/kabuk.h"
#include "app/sonlandir.h"
#include "server/async.h"
#include "server/baglantikur.h"
#include "server/callpatterns.h"
#include "ui/common/mesajgoster.h"
#include "ui/login/girisform.h"
#include "widgets/busyindicator.h"
#include "widgets/sayaclitabwidget.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
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
  buildPages();
  buildLegend();
  Panel5 = new QWidget;
  Panel5->setObjectName(QStringLiteral("Panel5"));
  Panel5->setFixedHeight(40);
  kayanyazi = new QLabel;
  kayanyazi->setObjectName(QStringLiteral("kayanyazi"));
  kayanyazi->setSizePolicy(QSizePolicy::Ignored,
                           QSizePolicy::Preferred); // the marquee scrolls what does not fit
  auto *newsLayout = new QHBoxLayout(Panel5);
  newsLayout->setContentsMargins(10, 0, 10, 0);
  newsLayout->addWidget(kayanyazi);

  layout->addWidget(Panel1);
  layout->addWidget(Panel2);
  layout->addWidget(RxGIFAnimator2);
  layout->addWidget(sPageControl1, 1);
  layout->addWidget(Panel3);
  layout->addWidget(Panel5);
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
  SpeedButton2 = new QToolButton;
  SpeedButton2->setToolTip(QStringLiteral("Ara"));
  SpeedButton2->setIcon(QIcon(QStringLiteral(":/icons/ara.svg")));
  SpeedButton1 = new QToolButton;
  SpeedButton1->setToolTip(QStringLiteral("Temizle"));
  SpeedButton1->setIcon(QIcon(QStringLiteral(":/icons/temizle.svg")));
  musteritus = new QPushButton(QStringLiteral("Başka Cari Seç"));
  musteritus->setFixedWidth(149);
  musteritus->setVisible(false);
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
  Panel3 = new QWidget;
  Panel3->setObjectName(QStringLiteral("Panel3"));
  Panel3->setAttribute(Qt::WA_StyledBackground);
  Panel3->setFixedHeight(27);
  auto *legend = new QHBoxLayout(Panel3);
  legend->setContentsMargins(8, 0, 8, 0);
  legend->setSpacing(2);
  legend->addWidget(new QLabel(QStringLiteral("Durum Açıklaması:    ")));
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
    break;
  case 3:
    R1->setVisible(false);
    break;
  case 4:
    sPageControl1->setTabVisible(sPageControl1->indexOf(skampanyali), false);
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
  CallOnClone(
      bagc, [&](TServerMethods1Client &client) { text = client.KayanYaziGetir(); }, 1);
  RunOnUiThreadAndWait([&] { kayanyazi->setText(text); });
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
    KayanYaziAl();
    BalonYaz();
  })->Await([this] {
    if (isMinimized())
      showMaximized();
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
  Async([this] {
    KayanYaziAl();
    BalonYaz();
  })->Await([this] {
    yenileniyor_ = false;
    if (yenilemeBekliyor_) {
      yenilemeBekliyor_ = false;
      GeriBildirimAlQue();
    }
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
