// tarvesa: the ordering client's program entry.
//
// For now the entry connects to the application server, asks for this
// computer's account and shows who it is; the login dialog and the main
// window take over this place.

#include "app/config.h"
#include "app/identity.h"
#include "server/async.h"
#include "server/baglantikur.h"
#include "server/callpatterns.h"
#include "ui/common/mesajgoster.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvesa"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tarvesa Otomotiv B2B"));
  SetTopLevelErrorHandler(
      [](const QString &text) { MesajGoster(text, mtError, msgButtons({mbOK}), 0, mbOK); });

  const ServerAddress address = ApplicationServer();
  ServerConnection bagc;
  bagc.setParam(QStringLiteral("HostName"), address.host);
  bagc.setParam(QStringLiteral("Port"), QString::number(address.port));
  bagc.setParam(QStringLiteral("ComputerId"), BilgisayarIdAl());

  QString text;
  RunGuarded([&] {
    CallOnMainConnection(bagc, [&](TServerMethods1Client &client) {
      auto account = client.BuyukGetir(bagc.param(QStringLiteral("ComputerId")));
      if (account && account->Varmi())
        text = QStringLiteral("Kullanıcı: %1\nFirma: %2\nSunucu: %3")
                   .arg(account->ADI(), account->CariAdi(), bagc.serverName());
      else
        text = QStringLiteral("Bu bilgisayar sistemde kayıtlı değil.");
    });
  });
  if (text.isEmpty())
    return 0;

  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Tarvesa Otomotiv B2B Programı"));
  auto *label = new QLabel(text);
  label->setAlignment(Qt::AlignCenter);
  label->setStyleSheet(
      QStringLiteral("font: bold 16px Tahoma; background: rgb(246, 211, 56); color: rgb(67, 76, 88)"));
  window.setCentralWidget(label);
  window.resize(640, 240);
  window.show();
  return app.exec();
}
