#include "ui/login/girisform.h"

#include "app/config.h"
#include "app/identity.h"
#include "app/sonlandir.h"
#include "server/async.h"
#include "server/baglantikur.h"
#include "server/remoteerror.h"
#include "server/serverconnection.h"
#include "server/servermethods.h"
#include "ui/common/mesajgoster.h"
#include "ui/login/ayardosyasi.h"
#include "ui/messaging/formistekyeni.h"
#include "ui/sales/seccari.h"
#include "ui/update/dosyaindir.h"
#include "widgets/browserview.h"
#include "widgets/busyindicator.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>

GirisKarari GirisKontrolEt(bool hesapAlindi, const TSonucBilgisi &hesap, const QString &adi,
                           const QString &sifre)
{
  GirisKarari karar;
  if (!hesapAlindi)
    return karar;
  karar.guncelleme = hesap.Version() != kBuSurum;
  if (!hesap.Varmi()) {
    karar.sonuc = GirisSonucu::IstekFormu;
    return karar;
  }
  if (adi != hesap.ADI() || sifre != hesap.SIFRE()) {
    karar.sonuc = GirisSonucu::Hatali;
    return karar;
  }
  karar.ayarYaz = true;
  if (hesap.AKTIF() != 1)
    karar.sonuc = GirisSonucu::Pasif;
  else if (hesap.MusteriTipi() == 1 || hesap.MusteriTipi() == 2)
    karar.sonuc = GirisSonucu::CariSecimi;
  else
    karar.sonuc = GirisSonucu::Tamam;
  return karar;
}

std::function<void(QWidget *, int, ServerConnection &)> Tgirisform::GuncellemeAcHook;
std::function<void(QWidget *, const QString &)> Tgirisform::IstekFormuAcHook;
std::function<bool(QWidget *, ServerConnection &, TSonucBilgisi &)> Tgirisform::CariSecHook;

namespace {

const QString kHataliGiris = QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !");

// Every letter typed shows and is kept in upper case.
void upperCaseInput(QLineEdit *edit)
{
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
    const QString upper = text.toUpper();
    if (upper != text) {
      const int cursor = edit->cursorPosition();
      edit->setText(upper);
      edit->setCursorPosition(cursor);
    }
  });
}

} // namespace

Tgirisform::Tgirisform(QWidget *owner, ServerConnection &bagim_, TSonucBilgisi &bilgim_)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), bagim(bagim_),
      Bilgim(bilgim_)
{
  setWindowTitle(QStringLiteral("Giriş"));
  setObjectName(QStringLiteral("Tgirisform"));
  setFixedSize(349, 550);
  QFont font(QStringLiteral("Tahoma"));
  font.setBold(true);
  setFont(font);

  auto *contact = new QLabel(QStringLiteral("TARVESA OTOMOTİV\nYedek Parça Toptan Satış\n"
                                            "Sanayi Sitesi 12. Blok No: 4, İstanbul\n"
                                            "Tel: 0212 555 00 00   b2b@tarvesa.com.tr"));
  contact->setAlignment(Qt::AlignCenter);
  contact->setObjectName(QStringLiteral("contact"));

  adi = new QLineEdit;
  adi->setObjectName(QStringLiteral("adi"));
  sifre = new QLineEdit;
  sifre->setObjectName(QStringLiteral("sifre"));
  sifre->setEchoMode(QLineEdit::Password);
  upperCaseInput(adi);
  upperCaseInput(sifre);
  benihatirla = new QCheckBox(QStringLiteral("Beni hatırla"));
  benihatirla->setChecked(true);
  Button1 = new QPushButton(QStringLiteral("Giriş"));
  Button1->setObjectName(QStringLiteral("Button1"));
  Button2 = new QPushButton(QStringLiteral("Vazgeç"));
  Button2->setObjectName(QStringLiteral("Button2"));
  Button1->setAutoDefault(false);
  Button2->setAutoDefault(false);
  busy = new BusyIndicator;

  auto *form = new QGridLayout;
  form->addWidget(new QLabel(QStringLiteral(" Kullanıcı Adı:")), 0, 0);
  form->addWidget(adi, 1, 0, 1, 2);
  form->addWidget(new QLabel(QStringLiteral(" Şifre:")), 2, 0);
  form->addWidget(sifre, 3, 0, 1, 2);
  form->addWidget(benihatirla, 4, 0, 1, 2);
  form->addWidget(Button1, 5, 0);
  form->addWidget(Button2, 5, 1);
  form->setVerticalSpacing(6);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(28, 150, 28, 20);
  layout->addLayout(form);
  layout->addWidget(busy, 0, Qt::AlignHCenter);
  layout->addStretch();
  layout->addWidget(contact);

  // Tab order: Giriş, Vazgeç, Beni hatırla, user name, password.
  setTabOrder(Button1, Button2);
  setTabOrder(Button2, benihatirla);
  setTabOrder(benihatirla, adi);
  setTabOrder(adi, sifre);

  connect(Button1, &QPushButton::clicked, this, &Tgirisform::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &Tgirisform::Button2Click);
  adi->installEventFilter(this);
  sifre->installEventFilter(this);
  FormCreate();
  adi->setFocus();
}

void Tgirisform::FormCreate()
{
  idsi = BilgisayarIdAl();
  AyarOku();
}

void Tgirisform::AyarOku()
{
  const auto ayarlar = AyarDosyasiOku(AyarDosyasiYolu());
  if (!ayarlar)
    return;
  benihatirla->setChecked(ayarlar->hatirla);
  if (benihatirla->isChecked()) {
    adi->setText(ayarlar->isim);
    sifre->setText(ayarlar->sifre);
  }
}

void Tgirisform::AyarYaz()
{
  AyarDosyasiYaz(AyarDosyasiYolu(), {adi->text(), sifre->text(), benihatirla->isChecked()});
}

void Tgirisform::showEvent(QShowEvent *event)
{
  QDialog::showEvent(event);
  // Centred on the screen, whatever the (still hidden) owner is.
  if (QScreen *screen = this->screen())
    move(screen->availableGeometry().center() - rect().center());
}

void Tgirisform::paintEvent(QPaintEvent *)
{
  // The background: the firm's yellow band with its name over a light field.
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient field(0, 0, 0, height());
  field.setColorAt(0, QColor(250, 250, 250));
  field.setColorAt(1, QColor(226, 230, 236));
  p.fillRect(rect(), field);
  p.fillRect(QRect(0, 0, width(), 120), QColor(246, 211, 56));
  p.setPen(QColor(67, 76, 88));
  QFont title(QStringLiteral("Tahoma"), 22, QFont::Bold);
  p.setFont(title);
  p.drawText(QRect(0, 20, width(), 50), Qt::AlignCenter, QStringLiteral("TARVESA"));
  QFont sub(QStringLiteral("Tahoma"), 10, QFont::Bold);
  p.setFont(sub);
  p.drawText(QRect(0, 68, width(), 30), Qt::AlignCenter, QStringLiteral("Otomotiv B2B"));
}

bool Tgirisform::eventFilter(QObject *watched, QEvent *event)
{
  if (event->type() != QEvent::KeyPress)
    return QDialog::eventFilter(watched, event);
  auto *key = static_cast<QKeyEvent *>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
    return QDialog::eventFilter(watched, event);
  if (watched == adi) {
    if (adi->text().trimmed().isEmpty()) {
      QApplication::beep();
      PlatformUyarisi(QStringLiteral("Lütfen kullanıcı adını giriniz !"));
      adi->selectAll();
      adi->setFocus();
    } else {
      sifre->selectAll();
      sifre->setFocus();
    }
    return true;
  }
  if (watched == sifre) {
    if (sifre->text().trimmed().isEmpty()) {
      QApplication::beep();
      PlatformUyarisi(QStringLiteral("Lütfen kullanıcı şifresini giriniz !"));
      sifre->selectAll();
      sifre->setFocus();
    } else if (Button1->isEnabled()) {
      Button1Click();
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void Tgirisform::Button2Click()
{
  ProgramiSonlandir(0);
  reject(); // reached only under a test hook
}

QString Tgirisform::DisAdresAl()
{
  return QStringLiteral("1212");
}

void Tgirisform::Button1Click()
{
  Button1->setText(QStringLiteral("Bağlanıyor..."));
  Button1->setEnabled(false);
  busy->start();
  auto address = std::make_shared<QString>();
  Async([address] { *address = DisAdresAl(); })->Await([this, address] {
    Button1->setText(QStringLiteral("Giriş!"));
    busy->stop();
    Devamet(*address);
  });
}

void Tgirisform::Devamet(const QString &address)
{
  if (address.trimmed().isEmpty()) {
    MesajGoster(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"), mtError, msgButtons({mbOK}),
                0, mbOK);
    Button1->setEnabled(true);
    return;
  }
  Bilgim.SetDisip(address);
  const ServerAddress server = ApplicationServer();
  bagim.setParam(QStringLiteral("HostName"), server.host);
  SetAdresler(WebHostBase() + QStringLiteral("resimgoster.ashx?id="), WebHostBase());
  busy->start();
  auto sonuc = std::make_shared<bool>(false);
  Async([this, sonuc] { *sonuc = HesapGetir(); })->Await([this, sonuc] { Bitir(*sonuc); });
}

bool Tgirisform::HesapGetir()
{
  std::unique_ptr<ServerConnection> clone = bagim.clone();
  clone->setParam(QStringLiteral("ComputerId"), idsi);
  if (!BaglantiKur(*clone, 0))
    return false;
  try {
    TServerMethods1Client client(*clone);
    auto hesap = client.BuyukGetir(idsi);
    if (!hesap)
      return false;
    Bilgim.Kopyala(*hesap);
  } catch (const RemoteError &e) {
    PlatformMesaji(e.message());
    return false;
  }
  // The server's record holds its own idea of these; this computer's count.
  Bilgim.SetBilgiSayarAdi(BilgisayarAdiAl());
  Bilgim.SetBilgisayarKullanici(KullaniciAdiAl());
  Bilgim.SetIcip(IcIpAl());
  Bilgim.SetBILGISAYARID(BilgisayarIdAl());
  Bilgim.SetDisip(DisAdresAl());
  return true;
}

void Tgirisform::focusUserName()
{
  Button1->setEnabled(true);
  adi->selectAll();
  adi->setFocus();
}

void Tgirisform::Bitir(bool hesapAlindi)
{
  busy->stop();
  const GirisKarari karar = GirisKontrolEt(hesapAlindi, Bilgim, adi->text(), sifre->text());
  if (karar.sonuc == GirisSonucu::BaglantiYok) {
    MesajGoster(QStringLiteral("Bağlantı Kurulamadı !"), mtError, msgButtons({mbOK}), 0, mbOK);
    focusUserName();
    return;
  }
  if (karar.guncelleme)
    GuncellemeAc();
  if (karar.sonuc == GirisSonucu::IstekFormu) {
    IstekFormuAc();
    ProgramiSonlandir(0);
    return;
  }
  if (karar.sonuc == GirisSonucu::Hatali) {
    MesajGoster(kHataliGiris, mtWarning, msgButtons({mbOK}), 0, mbOK);
    focusUserName();
    return;
  }
  if (karar.ayarYaz)
    AyarYaz();
  if (karar.sonuc == GirisSonucu::Pasif) {
    MesajGoster(kHataliGiris, mtWarning, msgButtons({mbOK}), 0, mbOK);
    focusUserName();
    return;
  }
  if (karar.sonuc == GirisSonucu::CariSecimi && !CariSec())
    return; // the program has ended
  accept();
}

void Tgirisform::GuncellemeAc()
{
  if (GuncellemeAcHook) {
    GuncellemeAcHook(this, Bilgim.Version(), bagim);
    return;
  }
  Tdosyaindir dosyaindir(this, Bilgim.Version());
  dosyaindir.bag = &bagim;
  dosyaindir.exec();
}

void Tgirisform::IstekFormuAc()
{
  const QString address = IstekFormuAdresi(WebAdresi(), BilgisayarIdAl());
  if (IstekFormuAcHook) {
    IstekFormuAcHook(this, address);
    return;
  }
  Tformistekyeni form(this);
  form.setWindowTitle(QStringLiteral("Tarvesa Otomotiv B2B İstek Formu"));
  form.sitem->Navigate(address);
  form.exec();
}

bool Tgirisform::CariSec()
{
  if (CariSecHook) {
    if (CariSecHook(this, bagim, Bilgim))
      return true;
    ProgramiSonlandir(0);
    return false;
  }
  // The salesperson chooses the dealer to work for; leaving without a
  // choice ends the program.
  Tseccari seccari(parentWidget(), bagim, Bilgim);
  RunGuarded([&] {
    seccari.SepetSayisiYaz();
    seccari.TusSonuclari();
  });
  if (seccari.calistir() == QDialog::Accepted)
    return true;
  ProgramiSonlandir(0);
  return false;
}
