#include "ui/common/mesajgoster.h"

#include <QApplication>
#include <QMessageBox>
#include <QMutex>
#include <QPushButton>
#include <QThread>

const QString kBaglantiKurulamiyor = QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");

namespace {

QMutex hookMutex;
MessageBoxHook messageHook;

struct ButtonInfo {
  TMsgDlgBtn button;
  const char *caption; // UTF-8
  QMessageBox::ButtonRole role;
  int result;
};

// Buttons in the order the box lays them out.
const ButtonInfo kButtons[] = {
    {mbYes, "Evet", QMessageBox::YesRole, mrYes},
    {mbNo, "Hayır", QMessageBox::NoRole, mrNo},
    {mbOK, "Tamam", QMessageBox::AcceptRole, mrOk},
    {mbCancel, "Vazgeç", QMessageBox::RejectRole, mrCancel},
    {mbAbort, "İptal", QMessageBox::RejectRole, mrAbort},
    {mbRetry, "Tekrar", QMessageBox::AcceptRole, mrRetry},
    {mbIgnore, "Atla", QMessageBox::AcceptRole, mrIgnore},
    {mbAll, "All", QMessageBox::AcceptRole, 8},
    {mbNoToAll, "Tümüne Hayır", QMessageBox::NoRole, mrNoToAll},
    {mbYesToAll, "Tümüne Evet", QMessageBox::YesRole, mrYesToAll},
    {mbHelp, "Yardım", QMessageBox::HelpRole, mrNone},
    {mbClose, "Close", QMessageBox::RejectRole, mrCancel},
};

int showBox(const MessageRequest &request)
{
  QMessageBox box(QApplication::activeWindow());
  switch (request.kind) {
  case mtWarning:
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QStringLiteral("Uyarı"));
    break;
  case mtError:
    box.setIcon(QMessageBox::Critical);
    box.setWindowTitle(QStringLiteral("Hata"));
    break;
  case mtInformation:
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(QStringLiteral("Bilgi"));
    break;
  case mtConfirmation:
    box.setIcon(QMessageBox::Question);
    box.setWindowTitle(QStringLiteral("Soru"));
    break;
  case mtCustom:
    box.setWindowTitle(QApplication::applicationDisplayName());
    break;
  }
  if (!request.caption.isEmpty())
    box.setWindowTitle(request.caption);
  box.setText(request.text);
  QApplication::beep();
  QHash<QAbstractButton *, int> results;
  for (const ButtonInfo &info : kButtons) {
    if (!(request.buttons & (1u << info.button)))
      continue;
    QPushButton *button = box.addButton(QString::fromUtf8(info.caption), info.role);
    results.insert(button, info.result);
    if (info.button == request.defaultButton) {
      box.setDefaultButton(button);
      button->setFocus();
    }
  }
  box.exec();
  return results.value(box.clickedButton(), mrCancel);
}

int ask(const MessageRequest &request)
{
  MessageBoxHook hook;
  {
    QMutexLocker lock(&hookMutex);
    hook = messageHook;
  }
  return hook ? hook(request) : showBox(request);
}

} // namespace

int MesajGoster(const QString &text, TMsgDlgType kind, TMsgDlgButtons buttons, quint8 /*reserved*/,
                TMsgDlgBtn defaultButton)
{
  const MessageRequest request{text, kind, buttons, defaultButton, {}};
  QCoreApplication *app = QCoreApplication::instance();
  if (!app || QThread::currentThread() == app->thread())
    return ask(request);
  // Boxes always open on the user-interface thread; a worker waits for the answer.
  int result = mrNone;
  QMetaObject::invokeMethod(
      app, [&] { result = ask(request); }, Qt::BlockingQueuedConnection);
  return result;
}

static void plainBox(const QString &text, TMsgDlgType kind)
{
  MessageRequest request{text, kind, msgButtons({mbOK}), mbOK, QApplication::applicationDisplayName()};
  QCoreApplication *app = QCoreApplication::instance();
  if (!app || QThread::currentThread() == app->thread())
    ask(request);
  else
    QMetaObject::invokeMethod(
        app, [&] { ask(request); }, Qt::BlockingQueuedConnection);
}

void PlatformUyarisi(const QString &text)
{
  plainBox(text, mtWarning);
}
void PlatformMesaji(const QString &text)
{
  plainBox(text, mtCustom);
}
void PlatformHatasi(const QString &text)
{
  plainBox(text, mtError);
}

void SetMesajGosterHook(MessageBoxHook hook)
{
  QMutexLocker lock(&hookMutex);
  messageHook = std::move(hook);
}
