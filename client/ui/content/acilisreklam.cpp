#include "ui/content/acilisreklam.h"

#include "server/async.h"
#include "server/callpatterns.h"
#include "ui/content/resimmetni.h"
#include "widgets/busyindicator.h"

#include <wire/mobilstokunit.h>

#include <QHBoxLayout>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

std::function<int(Tacilisreklam &)> Tacilisreklam::ExecHook;

Tacilisreklam::Tacilisreklam(QWidget *AOwner, const ServerConnection &_c, const TSonucBilgisi &_b)
    : QDialog(AOwner), con(_c.clone())
{
  setObjectName(QStringLiteral("Tacilisreklam"));
  setWindowTitle(QStringLiteral("Duyurular"));
  Bilgim.Kopyala(_b);
  resize(606, 480);

  Label1 = new QLabel;
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setWordWrap(true);
  QFont baslikFont(QStringLiteral("Tahoma"));
  baslikFont.setPixelSize(18);
  baslikFont.setBold(true);
  Label1->setFont(baslikFont);
  cxImage1 = new QLabel;
  cxImage1->setObjectName(QStringLiteral("cxImage1"));
  cxImage1->setAlignment(Qt::AlignCenter);
  cxImage1->setCursor(Qt::PointingHandCursor);
  cxImage1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  cxImage1->installEventFilter(this);
  Button1 = new QPushButton(QIcon(QStringLiteral(":/icons/onceki.svg")), QString());
  Button2 = new QPushButton(QIcon(QStringLiteral(":/icons/sonraki.svg")), QString());
  Button1->setToolTip(QStringLiteral("Önceki"));
  Button2->setToolTip(QStringLiteral("Sonraki"));
  gifstokara = new BusyIndicator;
  Label2 = new QLabel;
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setAlignment(Qt::AlignCenter);
  Button1xxx = new QPushButton(QStringLiteral("Kapat"));
  // The dialog takes the keys itself: arrows move, any other key closes.
  for (QPushButton *b : {Button1, Button2, Button1xxx}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->setMinimumSize(48, 36);
  }
  setFocusPolicy(Qt::StrongFocus);

  auto *bottom = new QHBoxLayout;
  bottom->addWidget(Button1);
  bottom->addWidget(Button2);
  bottom->addWidget(gifstokara);
  bottom->addStretch();
  bottom->addWidget(Label2);
  bottom->addStretch();
  bottom->addWidget(Button1xxx);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(cxImage1, 1);
  layout->addLayout(bottom);

  connect(Button1, &QPushButton::clicked, this, &Tacilisreklam::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &Tacilisreklam::Button2Click);
  connect(Button1xxx, &QPushButton::clicked, this, &QDialog::reject);
}

Tacilisreklam::~Tacilisreklam() = default;

int Tacilisreklam::calistir()
{
  if (ExecHook) {
    REsimGoster(sirasi); // as showing the dialog does
    return ExecHook(*this);
  }
  return exec();
}

bool Tacilisreklam::Yukleniyor() const
{
  return gifstokara->isRunning();
}

void Tacilisreklam::showEvent(QShowEvent *event)
{
  QDialog::showEvent(event);
  setFocus();
  if (ilkYukleme_) {
    ilkYukleme_ = false;
    REsimGoster(sirasi);
  }
}

void Tacilisreklam::sayaciYaz()
{
  Label2->setText(QString::number(sirasi) + QStringLiteral(" / ") + QString::number(adet));
}

void Tacilisreklam::REsimGoster(int i)
{
  ilkYukleme_ = false;
  Button1->setEnabled(false);
  Button2->setEnabled(false);
  gifstokara->start();
  struct Sonuc {
    int adet = 0;
    bool yuklendi = false;
    QString baslik;
    QString arama;
    QImage resim;
  };
  auto sonuc = std::make_shared<Sonuc>();
  std::shared_ptr<ServerConnection> c = con; // alive as long as the load runs
  QPointer<Tacilisreklam> self(this);
  Async([c, i, sonuc] {
    CallOnMainConnection(*c, [&](TServerMethods1Client &client) {
      sonuc->adet = client.AcilisReklamAdet();
      ClientRef<TAcilisEkran> ekran = client.AcilisREklamVer(i - 1);
      if (!ekran)
        return; // the advertisement went away meanwhile: keep what is shown
      QImage image;
      if (!image.loadFromData(ResimMetniCoz(ekran->Resim()), "JPEG"))
        throw std::runtime_error("Duyuru resmi bir JPEG resmi değil");
      sonuc->baslik = ekran->Baslik();
      sonuc->arama = ekran->Arama();
      sonuc->resim = image;
      sonuc->yuklendi = true;
    });
  })->Await([self, sonuc] {
    if (!self)
      return; // the dialog closed meanwhile
    self->adet = sonuc->adet > 0 ? sonuc->adet : self->adet;
    if (sonuc->yuklendi) {
      self->Label1->setText(sonuc->baslik);
      self->resim_ = QPixmap::fromImage(sonuc->resim);
      self->resmiOlcekle();
      self->arama = sonuc->arama;
      self->sayaciYaz();
    }
    self->Button1->setEnabled(true);
    self->Button2->setEnabled(true);
    self->gifstokara->stop();
  });
}

void Tacilisreklam::Button1Click()
{
  if (Yukleniyor() || sirasi <= 1)
    return;
  --sirasi;
  sayaciYaz();
  REsimGoster(sirasi);
}

void Tacilisreklam::Button2Click()
{
  if (Yukleniyor() || sirasi >= adet)
    return;
  ++sirasi;
  sayaciYaz();
  REsimGoster(sirasi);
}

void Tacilisreklam::keyPressEvent(QKeyEvent *event)
{
  if (event->key() == Qt::Key_Left)
    Button1Click();
  else if (event->key() == Qt::Key_Right)
    Button2Click();
  else
    reject();
}

bool Tacilisreklam::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == cxImage1 && event->type() == QEvent::MouseButtonRelease) {
    if (arama.trimmed().isEmpty())
      reject();
    else
      accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void Tacilisreklam::resizeEvent(QResizeEvent *event)
{
  QDialog::resizeEvent(event);
  resmiOlcekle();
}

void Tacilisreklam::resmiOlcekle()
{
  if (resim_.isNull() || cxImage1->width() <= 0 || cxImage1->height() <= 0)
    return;
  QPixmap scaled =
      resim_.scaled(cxImage1->size() * devicePixelRatioF(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
  scaled.setDevicePixelRatio(devicePixelRatioF());
  cxImage1->setPixmap(scaled);
}
