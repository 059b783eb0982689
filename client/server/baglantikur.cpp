#include "server/baglantikur.h"

#include "server/serverconnection.h"
#include "ui/common/mesajgoster.h"

#include <QMutex>
#include <QThread>

namespace {
QMutex pauseMutex;
std::function<void(int)> pauseHook;

void pauseFor(int ms)
{
  std::function<void(int)> hook;
  {
    QMutexLocker lock(&pauseMutex);
    hook = pauseHook;
  }
  if (hook)
    hook(ms);
  else
    QThread::msleep(ulong(ms));
}
} // namespace

bool BaglantiKur(ServerConnection &connection, int report)
{
  connection.close();
  for (int attempt = 0; attempt < kBaglantiDenemeSayisi; ++attempt) {
    if (connection.open())
      return true;
    connection.close();
    pauseFor(kBaglantiBeklemeMs);
  }
  if (report == 1)
    MesajGoster(kBaglantiKurulamiyor, mtError, msgButtons({mbOK}), 0, mbOK);
  return false;
}

void SetBaglantiKurPause(std::function<void(int)> pause)
{
  QMutexLocker lock(&pauseMutex);
  pauseHook = std::move(pause);
}
