#include "ui/messaging/kullanicikayit.h"

#include "app/identity.h"
#include "server/async.h"
#include "server/callpatterns.h"
#include "ui/common/mesajgoster.h"

#include <wire/mobilstokunit.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

const QList<IstekAlani> &IstekAlanlari()
{
  static const QList<IstekAlani> alanlar = {
      {"firmaadi", "Firma Adı:", "Firma Adı boş olamaz !"},
      {"adres1", "Adres:", "Adres boş olamaz !"},
      {"adres2", "Adres2:", ""},
      {"ilce", "İlçe/Şehir:", "İlçe Adı boş olamaz !"},
      {"sehir", "İlçe/Şehir:", "Şehir Adı boş olamaz !"},
      {"telefon", "Telefon/Fax:", "Telefon  boş olamaz !"},
      {"fax", "Telefon/Fax:", ""},
      {"vd", "Vergi Dairesi / No:", ""},
      {"vn", "Vergi Dairesi / No:", ""},
      {"yetkili", "Yetkili:", "Yetkili  boş olamaz !"},
      {"kullaniciadi", "Kullanıcı Adı:", "Kullanıcı  boş olamaz !"},
      {"sifre", "Şifre:", "Şifre  boş olamaz !"},
      {"mail", "Mail:", "Mail  boş olamaz !"},
      {"kargoambar", "Kargo Ambar:", ""},
  };
  return alanlar;
}

namespace {
// Boxes that share a row with the one before them (left and right box).
bool sagKutu(const char *ad)
{
  const QLatin1String name(ad);
  return name == QLatin1String("sehir") || name == QLatin1String("fax") || name == QLatin1String("vn");
}
} // namespace

Tkullanicikayit::Tkullanicikayit(QWidget *AOwner, const ServerConnection &_c, const TSonucBilgisi &_b)
    : QDialog(AOwner), _idsi(BilgisayarIdAl()), con(_c.clone())
{
  setObjectName(QStringLiteral("Tkullanicikayit"));
  Bilgim.Kopyala(_b);
  resize(705, 514);
  lblid = new QLabel(QStringLiteral("Bilgisayar ID: ") + _idsi);
  lblid->setObjectName(QStringLiteral("lblid"));

  auto *firma = new QGroupBox(QStringLiteral("Firma Bilgileri"));
  auto *kullanici = new QGroupBox(QStringLiteral("Kullanıcı Bilgileri"));
  auto *firmaGrid = new QGridLayout(firma);
  auto *kullaniciGrid = new QGridLayout(kullanici);
  // The company boxes up to the tax number, then the user boxes; a right
  // box shares the row of the box before it.
  int satirlar[2] = {-1, -1};
  const QList<IstekAlani> &alanlar = IstekAlanlari();
  for (int i = 0; i < alanlar.size(); ++i) {
    const IstekAlani &alan = alanlar.at(i);
    auto *box = new QLineEdit;
    box->setObjectName(QLatin1String(alan.ad));
    kutular_.append(box);
    const int grup = qstrcmp(alan.ad, "yetkili") == 0 || i > 9 ? 1 : 0;
    QGridLayout *grid = grup == 1 ? kullaniciGrid : firmaGrid;
    int &satir = satirlar[grup];
    if (sagKutu(alan.ad)) {
      grid->addWidget(box, satir, 2);
      continue;
    }
    ++satir;
    grid->addWidget(new QLabel(QString::fromUtf8(alan.etiket)), satir, 0, Qt::AlignRight | Qt::AlignVCenter);
    const bool sagiVar = i + 1 < alanlar.size() && sagKutu(alanlar.at(i + 1).ad);
    grid->addWidget(box, satir, 1, 1, sagiVar ? 1 : 2);
  }
  for (QGridLayout *grid : {firmaGrid, kullaniciGrid}) {
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
  }

  Button2 = new QPushButton(QStringLiteral("Gönder"));
  Button1 = new QPushButton(QStringLiteral("Kapat"));
  for (QPushButton *b : {Button1, Button2}) {
    b->setAutoDefault(false);
    b->setMinimumWidth(110);
  }
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(Button2);
  buttons->addStretch();
  buttons->addWidget(Button1);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 12, 16, 12);
  layout->addWidget(lblid);
  layout->addWidget(firma);
  layout->addWidget(kullanici);
  layout->addStretch();
  layout->addLayout(buttons);
  connect(Button2, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button2Click(); }); });
  connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
}

Tkullanicikayit::~Tkullanicikayit() = default;

std::unique_ptr<Tkullanicikayit> Tkullanicikayit::Ac(QWidget *AOwner, const ServerConnection &_c,
                                                     const TSonucBilgisi &_b)
{
  std::unique_ptr<Tkullanicikayit> form(new Tkullanicikayit(AOwner, _c, _b));
  form->kutu("kullaniciadi")->setText(form->Bilgim.ADI());
  form->kutu("firmaadi")->setText(form->Bilgim.CariAdi());
  form->KartiYukle();
  form->setWindowTitle(QStringLiteral("Şifre Değiştirme İsteği"));
  form->durum = teski;
  return form;
}

std::unique_ptr<Tkullanicikayit> Tkullanicikayit::Yeni(QWidget *AOwner, const ServerConnection &_c,
                                                       const TSonucBilgisi &_b)
{
  std::unique_ptr<Tkullanicikayit> form(new Tkullanicikayit(AOwner, _c, _b));
  form->setWindowTitle(QStringLiteral("B2B İstek Formu"));
  form->durum = tyeni;
  return form;
}

QLineEdit *Tkullanicikayit::kutu(const char *ad) const
{
  const QList<IstekAlani> &alanlar = IstekAlanlari();
  for (int i = 0; i < alanlar.size(); ++i)
    if (qstrcmp(alanlar.at(i).ad, ad) == 0)
      return kutular_.at(i);
  return nullptr;
}

void Tkullanicikayit::KartiYukle()
{
  con->close();
  try {
    CallOnMainConnection(*con, [this](TServerMethods1Client &client) {
      ClientRef<TMobilCariBilgisi> kart = client.MobilCariBilgisiGetir(0, _idsi);
      if (!kart)
        return;
      kutu("adres1")->setText(kart->ADRES1());
      kutu("adres2")->setText(kart->ADRES2());
      kutu("ilce")->setText(kart->ILCE());
      kutu("sehir")->setText(kart->SEHIR());
      kutu("telefon")->setText(kart->TEL1());
      kutu("fax")->setText(kart->FAX1());
      kutu("vd")->setText(kart->VERGIDAIRESI());
      kutu("vn")->setText(kart->VERGINO());
    });
  } catch (const std::exception &) {
    // No card: the form opens with the two name boxes only.
  }
}

void Tkullanicikayit::Button2Click()
{
  const QList<IstekAlani> &alanlar = IstekAlanlari();
  for (int i = 0; i < alanlar.size(); ++i) {
    if (*alanlar.at(i).bosMesaji == '\0' || !kutular_.at(i)->text().trimmed().isEmpty())
      continue;
    kutular_.at(i)->selectAll();
    kutular_.at(i)->setFocus();
    MesajGoster(QString::fromUtf8(alanlar.at(i).bosMesaji), mtWarning, msgButtons({mbOK}), 0, mbOK);
    return;
  }
  const auto t = [this](const char *ad) { return kutu(ad)->text(); };
  con->close();
  if (!CallOnMainConnection(*con, [&](TServerMethods1Client &client) {
        client.MailGonserCari(_idsi,
                              durum == teski ? QStringLiteral("Şifre Değiştirme İsteği")
                                             : QStringLiteral("B2B Yeni Kullanıcı İstek"),
                              t("firmaadi"), t("adres1"), t("adres2"), t("ilce"), t("sehir"), t("telefon"),
                              t("fax"), t("vd"), t("vn"), t("yetkili"), t("kullaniciadi"), t("sifre"),
                              t("mail"), t("kargoambar"));
      }))
    return;
  MesajGoster(QStringLiteral("İsteğiniz Gönderildi!"), mtInformation, msgButtons({mbOK}), 0, mbOK);
}
