#include "ui/messaging/mailform.h"

#include "app/identity.h"
#include "server/async.h"
#include "server/callpatterns.h"
#include "ui/common/mesajgoster.h"

#include <wire/mobilstokunit.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString VirgulluMetin(const QStringList &satirlar)
{
  QStringList parts;
  parts.reserve(satirlar.size());
  for (const QString &line : satirlar) {
    bool quote = false;
    for (const QChar c : line)
      if (c.unicode() <= u' ' || c == u',' || c == u'"') {
        quote = true;
        break;
      }
    if (quote) {
      QString inner = line;
      inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
      parts.append(QLatin1Char('"') + inner + QLatin1Char('"'));
    } else {
      parts.append(line);
    }
  }
  return parts.join(QLatin1Char(','));
}

Tmailform::Tmailform(QWidget *AOwner, const ServerConnection &_c, const TSonucBilgisi &_b)
    : QDialog(AOwner), con(_c.clone()), idsi_(BilgisayarIdAl())
{
  setObjectName(QStringLiteral("Tmailform"));
  setWindowTitle(QStringLiteral("Mail Gönder"));
  Bilgim.Kopyala(_b);
  resize(671, 451);

  baslik = new QLineEdit;
  baslik->setObjectName(QStringLiteral("baslik"));
  baslik->setFixedWidth(560);
  konu = new QPlainTextEdit;
  konu->setObjectName(QStringLiteral("konu"));
  konu->setMinimumSize(560, 324);
  konu->setLineWrapMode(QPlainTextEdit::NoWrap); // both scroll bars
  Button2 = new QPushButton(QStringLiteral("Gönder"));
  Button1 = new QPushButton(QStringLiteral("Kapat"));
  for (QPushButton *b : {Button1, Button2}) {
    b->setAutoDefault(false);
    b->setMinimumWidth(110);
  }

  auto *fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("Konu:")), 0, 0, Qt::AlignRight | Qt::AlignVCenter);
  fields->addWidget(baslik, 0, 1);
  fields->addWidget(new QLabel(QStringLiteral("Mail:")), 1, 0, Qt::AlignRight | Qt::AlignTop);
  fields->addWidget(konu, 1, 1);
  fields->setColumnStretch(1, 1);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(Button2);
  buttons->addStretch();
  buttons->addWidget(Button1);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->addLayout(fields, 1);
  layout->addLayout(buttons);

  connect(Button2, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button2Click(); }); });
  connect(Button1, &QPushButton::clicked, this, &Tmailform::Button1Click);
  baslik->setFocus();
}

Tmailform::~Tmailform() = default;

bool Tmailform::Gonderiliyor() const
{
  return !Button2->isEnabled();
}

void Tmailform::Button2Click()
{
  if (Gonderiliyor())
    return;
  if (baslik->text().trimmed().isEmpty()) {
    baslik->selectAll();
    baslik->setFocus();
    MesajGoster(QStringLiteral("Lütfen Başlık Giriniz !"), mtWarning, msgButtons({mbOK}), 0, mbOK);
    return;
  }
  if (konu->toPlainText().trimmed().isEmpty()) {
    konu->selectAll();
    konu->setFocus();
    MesajGoster(QStringLiteral("Lütfen Konu Giriniz !"), mtWarning, msgButtons({mbOK}), 0, mbOK);
    return;
  }
  Button2->setEnabled(false);
  enum class Sonuc { Gonderildi, Hata, BaglantiYok };
  auto sonuc = std::make_shared<Sonuc>(Sonuc::Hata);
  const QString konuBasligi = baslik->text();
  const QString metin = VirgulluMetin(konu->toPlainText().split(QLatin1Char('\n')));
  ServerConnection *c = con.get(); // the form stays open while the send runs
  const QString idsi = idsi_;
  Async([c, idsi, konuBasligi, metin, sonuc] {
    try {
      const bool connected = CallOnMainConnection(*c, [&](TServerMethods1Client &client) {
        ClientRef<TMobilCariBilgisi> kart = client.MobilCariBilgisiGetir(0, idsi);
        if (!kart)
          return;
        TServerMethods1Client gonderen(*c);
        // The card carries the user's password; a mail is no place for it.
        gonderen.MailGonserCariNormal(idsi, konuBasligi, kart->CARIADI(), kart->ADRES1(), kart->ADRES2(),
                                      kart->ILCE(), kart->SEHIR(), kart->TEL1(), kart->FAX1(),
                                      kart->VERGIDAIRESI(), kart->VERGINO(), kart->YETKILI(),
                                      kart->KULLANICIADI(), QString(), kart->MAIL(), QString(), metin);
        *sonuc = Sonuc::Gonderildi;
      });
      if (!connected)
        *sonuc = Sonuc::BaglantiYok;
    } catch (...) {
      *sonuc = Sonuc::Hata;
    }
  })->Await([this, sonuc] {
    if (*sonuc == Sonuc::Gonderildi)
      MesajGoster(QStringLiteral("Mail Gönderildi !"), mtInformation, msgButtons({mbOK}), 0, mbOK);
    else if (*sonuc == Sonuc::Hata)
      MesajGoster(QStringLiteral("Mail Göndermede Hata\r\nLütfen Tekrar Deneyin !"), mtError,
                  msgButtons({mbOK}), 0, mbOK);
    Button2->setEnabled(true);
  });
}

void Tmailform::Button1Click()
{
  if (!Gonderiliyor())
    QDialog::reject();
}

void Tmailform::reject()
{
  Button1Click();
}
