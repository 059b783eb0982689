#include "ui/update/dosyaindir.h"

#include "app/config.h"
#include "app/identity.h"
#include "app/kabuk.h"
#include "app/sonlandir.h"
#include "ui/common/mesajgoster.h"
#include "ui/login/girisform.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressBar>
#include <QVBoxLayout>

QString IlerlemeYazisi(qint64 received, qint64 total, const QLocale &locale)
{
  const double percent = double(received) / double(total) * 100.0;
  return QStringLiteral("Bilgi: %") +
         QStringLiteral("%1  İndirilen: %2/%3")
             .arg(locale.toString(percent, 'f', 2), locale.toString(received / 1024.0 / 1024.0, 'f', 2),
                  locale.toString(total / 1024.0 / 1024.0, 'f', 2)) +
         QStringLiteral(" Mb");
}

QString GuncellemeNotu(int serverVersion)
{
  return QStringLiteral(
             "Tarvesa Otomotiv B2B Programının\r\nYeni versiyonu indirilecektir\r\nLütfen Bekleyiniz...!\r\n"
             "Version: %1-%2")
      .arg(serverVersion)
      .arg(kBuSurum);
}

QString KurulumAdresi()
{
  return UpdateServer() + QStringLiteral("/exe/") + kKurulumDosyasi;
}

QString KurulumYolu()
{
  return QDir(YerelVeriKlasoruAl()).filePath(kKurulumDosyasi);
}

Tdosyaindir::Tdosyaindir(QWidget *owner, int _y)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      network_(new QNetworkAccessManager(this))
{
  setWindowTitle(QStringLiteral("Dosya İndir"));
  setFixedSize(543, 309);
  sLabel1 = new QLabel(GuncellemeNotu(_y));
  sLabel1->setAlignment(Qt::AlignCenter);
  sLabel1->setWordWrap(true);
  sLabel1->setStyleSheet(QStringLiteral("font: 27px Tahoma; color: rgb(67, 76, 88)"));
  bilgi = new QLabel(QStringLiteral("bilgi"));
  bilgi->setStyleSheet(QStringLiteral("font: bold 13px Tahoma"));
  ProgressBar1 = new QProgressBar;
  ProgressBar1->setTextVisible(false);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(sLabel1, 1);
  layout->addWidget(bilgi);
  layout->addWidget(ProgressBar1);
}

void Tdosyaindir::showEvent(QShowEvent *event)
{
  QDialog::showEvent(event);
  QMetaObject::invokeMethod(this, &Tdosyaindir::FormActivate, Qt::QueuedConnection);
}

bool Tdosyaindir::event(QEvent *event)
{
  if (event->type() == QEvent::WindowActivate)
    QMetaObject::invokeMethod(this, &Tdosyaindir::FormActivate, Qt::QueuedConnection);
  return QDialog::event(event);
}

void Tdosyaindir::FormActivate()
{
  if (basladi)
    return;
  basladi = true;
  QFile::remove(KurulumYolu());
  QNetworkRequest request{QUrl(KurulumAdresi())};
  request.setRawHeader(
      "Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8");
  // Accept-Encoding is left to the network layer: it asks for gzip and
  // deflate itself and unpacks the answer, which a hand-set header would stop.
  request.setRawHeader("Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
  request.setRawHeader("User-Agent",
                       "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
                       "Chrome/60.0.3112.32 Safari/537.36");
  request.setTransferTimeout(60000);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
  QNetworkReply *reply = network_->get(request);
  connect(reply, &QNetworkReply::downloadProgress, this, &Tdosyaindir::ReceiveData);
  connect(reply, &QNetworkReply::finished, this, [this, reply] { Finished(reply); });
}

void Tdosyaindir::ReceiveData(qint64 received, qint64 total)
{
  if (total <= 0)
    return;
  bilgi->setText(IlerlemeYazisi(received, total, QLocale()));
  ProgressBar1->setMaximum(int(qMin<qint64>(total, INT_MAX)));
  ProgressBar1->setValue(int(qMin<qint64>(received, INT_MAX)));
}

void Tdosyaindir::Finished(QNetworkReply *reply)
{
  reply->deleteLater();
  if (reply->error() != QNetworkReply::NoError) {
    RequestError(reply->errorString());
    return;
  }
  // Only a real download is started: an error page or an empty answer is
  // reported instead.
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const QByteArray body = reply->readAll();
  if (status >= 300 || body.isEmpty()) {
    RequestError(body.isEmpty() ? QStringLiteral("Sunucu boş bir dosya gönderdi (HTTP %1).").arg(status)
                                : QStringLiteral("Sunucu hata döndürdü (HTTP %1).").arg(status));
    return;
  }
  QFile file(KurulumYolu());
  QDir().mkpath(QFileInfo(file).path());
  if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size()) {
    MesajGoster(QStringLiteral("Kurulum dosyası kaydedilemedi: %1").arg(file.errorString()), mtError,
                msgButtons({mbOK}), 0, mbOK);
    return; // the dialog stays open; closing it returns to the login
  }
  file.close();
  file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
  ProgramBaslat(KurulumYolu(), {QStringLiteral("/silent")});
  ProgramiSonlandir(0);
  accept(); // reached only under a test hook
}

void Tdosyaindir::RequestError(const QString &error)
{
  PlatformHatasi(QStringLiteral("Hata Oluştu !\r\nHata: ") + error);
  ProgramiSonlandir(0);
  reject(); // reached only under a test hook
}
