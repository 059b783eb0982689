#include "ui/content/resimmetni.h"

#include <stdexcept>

QByteArray ResimMetniCoz(const QString &text)
{
  QByteArray bytes;
  bytes.reserve(text.size() / 2 + 1);
  for (qsizetype i = 0; i < text.size(); i += 2) {
    const QString pair = text.mid(i, 2);
    bool ok = false;
    const uint value = pair.toUInt(&ok, 16);
    if (!ok || pair.startsWith(QLatin1Char('+')) || pair.startsWith(QLatin1Char('-')) || pair.contains(u' '))
      throw std::runtime_error(
          QStringLiteral("'%1' geçerli bir onaltılık sayı değil").arg(pair).toUtf8().toStdString());
    bytes.append(char(value));
  }
  return bytes;
}

AramaYonu AramaMetniYonu(const QString &text)
{
  if (text.trimmed().isEmpty())
    return AramaYonu::Hicbiri;
  if (text == QLatin1String("#KAMPANYA#"))
    return AramaYonu::Kampanya;
  if (text == QStringLiteral("#YENİ#"))
    return AramaYonu::Yeni;
  return AramaYonu::StokArama;
}
