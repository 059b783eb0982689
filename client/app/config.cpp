#include "app/config.h"

#include <QtGlobal>

namespace {
constexpr quint16 kDefaultPort = 9090;
const char *const kDefaultHost = "127.0.0.1";
} // namespace

bool ParseServerAddress(const QString &text, ServerAddress *address)
{
  QString host = text.trimmed();
  QString port;
  if (host.startsWith(QLatin1Char('['))) {
    const int close = host.indexOf(QLatin1Char(']'));
    if (close < 0)
      return false;
    port = host.mid(close + 1);
    host = host.mid(1, close - 1);
    if (!port.isEmpty() && !port.startsWith(QLatin1Char(':')))
      return false;
    port = port.mid(1);
  } else if (host.count(QLatin1Char(':')) == 1) {
    port = host.section(QLatin1Char(':'), 1);
    host = host.section(QLatin1Char(':'), 0, 0);
  }
  if (host.isEmpty())
    return false;
  quint16 number = kDefaultPort;
  if (!port.isEmpty()) {
    bool ok = false;
    const uint value = port.toUInt(&ok);
    if (!ok || value == 0 || value > 65535)
      return false;
    number = quint16(value);
  }
  address->host = host;
  address->port = number;
  return true;
}

ServerAddress ApplicationServer()
{
  ServerAddress address{QString::fromLatin1(kDefaultHost), kDefaultPort};
  const QString value = qEnvironmentVariable("TARVESA_SERVER");
  if (!value.isEmpty() && !ParseServerAddress(value, &address))
    qWarning("TARVESA_SERVER \"%s\" is not host:port; using %s:%u", qPrintable(value), kDefaultHost,
             unsigned(kDefaultPort));
  return address;
}

QString WebHostBase()
{
  QString value = qEnvironmentVariable("TARVESA_WEB", QStringLiteral("http://127.0.0.1:8080/"));
  if (!value.endsWith(QLatin1Char('/')))
    value += QLatin1Char('/');
  return value;
}

QString UpdateServer()
{
  QString value = qEnvironmentVariable("TARVESA_UPDATE", QStringLiteral("http://127.0.0.1:8080"));
  while (value.endsWith(QLatin1Char('/')))
    value.chop(1);
  return value;
}

QString CallbackChannelName()
{
  return QStringLiteral("Kelmora");
}

namespace {
struct Adresler {
  QString resim = WebHostBase() + QStringLiteral("resimgoster.ashx?id=");
  QString web = WebHostBase();
};
Adresler &adresler()
{
  static Adresler a;
  return a;
}
} // namespace

QString ResimAdresTabani()
{
  return adresler().resim;
}
QString WebAdresi()
{
  return adresler().web;
}
void SetAdresler(const QString &resimAdresTabani, const QString &webAdresi)
{
  adresler().resim = resimAdresTabani;
  adresler().web = webAdresi;
}
