#include "ui/main/sanalpos.h"

#include <QUrl>

namespace {
QString kodla(const QString &value)
{
  return QString::fromLatin1(QUrl::toPercentEncoding(value));
}
} // namespace

QString SanalPosAdresi(const QString &base, int carino, const QString &cariAdi, const QString &bakiye)
{
  return base + QStringLiteral("?carino=") + QString::number(carino) +
         QStringLiteral("&sube=MERKEZ&firmasi=") + kodla(cariAdi) + QStringLiteral("&bakiye=") +
         kodla(bakiye);
}
