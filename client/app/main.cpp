// tarvesa: the ordering client's program entry and start-up.

#include "app/config.h"
#include "app/identity.h"
#include "app/sonlandir.h"
#include "server/async.h"
#include "server/serverconnection.h"
#include "ui/common/mesajgoster.h"
#include "ui/login/girisform.h"

#include <wire/baglantiu.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

int main(int argc, char *argv[])
{
  // The embedded browser shares OpenGL contexts and, run as root, needs its
  // sandbox off.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#ifdef Q_OS_UNIX
  if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvesa"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tarvesa Otomotiv B2B"));
  SetTopLevelErrorHandler(
      [](const QString &text) { MesajGoster(text, mtError, msgButtons({mbOK}), 0, mbOK); });

  // The login record with this computer's identity.
  TSonucBilgisi sbilgi;
  sbilgi.SetBilgiSayarAdi(BilgisayarAdiAl());
  sbilgi.SetBilgisayarKullanici(KullaniciAdiAl());
  sbilgi.SetIcip(IcIpAl());
  sbilgi.SetBILGISAYARID(BilgisayarIdAl());

  const ServerAddress address = ApplicationServer();
  ServerConnection bagc;
  bagc.setParam(QStringLiteral("HostName"), address.host);
  bagc.setParam(QStringLiteral("Port"), QString::number(address.port));
  bagc.setParam(QStringLiteral("ComputerId"), sbilgi.BILGISAYARID());

  {
    Tgirisform giris(nullptr, bagc, sbilgi);
    if (giris.exec() != QDialog::Accepted || sbilgi.Disip().trimmed().isEmpty()) {
      ProgramiSonlandir(0);
      return 0;
    }
  }

  // The main window takes this place; until then the header information.
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Tarvesa Otomotiv B2B Programı"));
  auto *label = new QLabel(QStringLiteral("Kullanıcı: %1\nFirma: %2\nTemsilci: %3 Telefonu: %4 email: %5")
                               .arg(sbilgi.ADI(), sbilgi.CariAdi(), sbilgi.SaticiAdi(),
                                    sbilgi.SaticiTelefon(), sbilgi.SaticiMail()));
  label->setAlignment(Qt::AlignCenter);
  label->setStyleSheet(
      QStringLiteral("font: bold 16px Tahoma; background: rgb(246, 211, 56); color: rgb(67, 76, 88)"));
  window.setCentralWidget(label);
  window.resize(900, 300);
  window.show();
  return app.exec();
}
