// tarvesa: the ordering client's program entry.

#include "server/async.h"
#include "ui/common/mesajgoster.h"
#include "ui/main/form1.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QScreen>

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

  // The style "Auric".
  QApplication::setStyle(QStringLiteral("Fusion"));
  QFile auric(QStringLiteral(":/auric.qss"));
  if (auric.open(QIODevice::ReadOnly))
    app.setStyleSheet(QString::fromUtf8(auric.readAll()));

  SetTopLevelErrorHandler(
      [](const QString &text) { MesajGoster(text, mtError, msgButtons({mbOK}), 0, mbOK); });

  TForm1 form;
  if (!form.FormCreate())
    return 0;
  // Maximised; without a window manager to do it, the screen's size.
  form.setGeometry(form.screen()->availableGeometry());
  form.showMaximized();
  form.araedit->setFocus(); // the search box takes the first keys
  return app.exec();
}
