#include "ui/common/formats.h"

#include <wire/decimal.h>

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#ifdef Q_OS_WIN
#include "app/identity.h"
#endif

#ifdef TARVESA_HAVE_WEBENGINE
#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#endif

namespace {

struct Pattern {
  bool grouping = false;
  int minInteger = 0;  // integer digits always shown
  int minDecimals = 0; // decimals always shown
  int maxDecimals = 0; // decimals shown at most
};

Pattern parsePattern(QStringView pattern)
{
  Pattern p;
  const qsizetype point = pattern.indexOf(u'.');
  const QStringView integer = point < 0 ? pattern : pattern.left(point);
  const QStringView fraction = point < 0 ? QStringView() : pattern.mid(point + 1);
  p.grouping = integer.contains(u',');
  bool required = false;
  for (const QChar c : integer) {
    required = required || c == u'0';
    if (required && (c == u'0' || c == u'#'))
      ++p.minInteger;
  }
  for (const QChar c : fraction) {
    if (c == u'0' || c == u'#')
      ++p.maxDecimals;
    if (c == u'0')
      p.minDecimals = p.maxDecimals;
  }
  return p;
}

} // namespace

QString FormatFloat(const QString &pattern, double value)
{
  return FormatFloat(pattern, value, QLocale());
}

QString FormatFloat(const QString &pattern, double value, const QLocale &locale)
{
  if (!std::isfinite(value))
    return locale.toString(value);
  if (pattern.isEmpty()) {
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(value == 0 ? 0.0 : value, 'g', 15);
  }

  const Pattern p = parsePattern(pattern);
  const wire::Decimal d = wire::toDecimal(value, p.maxDecimals);
  size_t decimals = d.fraction.size();
  while (decimals > size_t(p.minDecimals) && d.fraction[decimals - 1] == '0')
    --decimals;
  std::string integer = d.integer;
  if (integer.size() < size_t(p.minInteger))
    integer.insert(0, size_t(p.minInteger) - integer.size(), '0');

  const QString groupSeparator = p.grouping ? locale.groupSeparator() : QString();
  QString text;
  text.reserve(qsizetype(integer.size() + decimals) + 8);
  if (value < 0 && !d.isZero())
    text += locale.negativeSign();
  for (size_t i = 0; i < integer.size(); ++i) {
    if (p.grouping && i > 0 && (integer.size() - i) % 3 == 0)
      text += groupSeparator;
    text += QLatin1Char(integer[i]);
  }
  if (decimals > 0) {
    text += locale.decimalPoint();
    text += QLatin1String(d.fraction.data(), qsizetype(decimals));
  }
  return text;
}

double IkiHaneYuvarla(double value)
{
  return wire::roundDecimal(value, 2);
}

double UcHaneYuvarla(double value)
{
  return wire::roundDecimal(value, 3);
}

QString UrlKodla(const QString &address)
{
  return QUrl(address, QUrl::TolerantMode).toString(QUrl::FullyEncoded);
}

QStringList chromeCandidates()
{
#ifdef Q_OS_WIN
  return {QStringLiteral("C:\\Program Files (x86)\\Google\\Chrome\\Application\\chrome.exe"),
          QStringLiteral("C:\\Program Files (x86)\\Google\\Application\\chrome.exe"),
          QStringLiteral("C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe"),
          QStringLiteral("C:\\Program Files\\Google\\Chrome\\chrome.exe"),
          QStringLiteral("C:\\Users\\") + KullaniciAdiAl() +
              QStringLiteral("\\AppData\\Local\\Google\\Chrome\\Application\\chrome.exe")};
#else
  return {QStringLiteral("/usr/bin/google-chrome-stable"),
          QStringLiteral("/usr/bin/google-chrome"),
          QStringLiteral("/usr/bin/chromium"),
          QStringLiteral("/usr/bin/chromium-browser"),
          QStringLiteral("/snap/bin/chromium"),
          QDir::homePath() + QStringLiteral("/.local/bin/google-chrome")};
#endif
}

QString firstExisting(const QStringList &candidates, const std::function<bool(const QString &)> &exists)
{
  for (const QString &path : candidates)
    if (exists(path))
      return path;
  return {};
}

QString ChromeYoluAl()
{
  return firstExisting(chromeCandidates(), [](const QString &path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
  });
}

int IEVersiyonuAl()
{
#ifdef TARVESA_HAVE_WEBENGINE
  return QString::fromLatin1(qWebEngineChromiumVersion()).section(QLatin1Char('.'), 0, 0).toInt();
#else
  return 0;
#endif
}
