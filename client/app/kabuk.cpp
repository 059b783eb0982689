#include "app/kabuk.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {
std::function<bool(const QString &, const QStringList &)> &startHook()
{
  static std::function<bool(const QString &, const QStringList &)> h;
  return h;
}
std::function<bool(const QString &)> &openHook()
{
  static std::function<bool(const QString &)> h;
  return h;
}
} // namespace

bool ProgramBaslat(const QString &program, const QStringList &arguments)
{
  if (startHook())
    return startHook()(program, arguments);
  return QProcess::startDetached(program, arguments);
}

bool KabuktaAc(const QString &fileOrAddress)
{
  if (openHook())
    return openHook()(fileOrAddress);
  const QUrl url = QFileInfo::exists(fileOrAddress) ? QUrl::fromLocalFile(fileOrAddress)
                                                    : QUrl(fileOrAddress, QUrl::TolerantMode);
  return QDesktopServices::openUrl(url);
}

void SetProgramBaslatHook(std::function<bool(const QString &, const QStringList &)> hook)
{
  startHook() = std::move(hook);
}
void SetKabuktaAcHook(std::function<bool(const QString &)> hook)
{
  openHook() = std::move(hook);
}
