#include "ui/common/formats.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#ifdef TARVESA_HAVE_WEBENGINE
#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#endif

namespace {

struct Pattern {
  bool grouping = false;
  int minInteger = 0; // required integer digits
  int decimals = 0;   // digits after the point (all shown)
};

Pattern parsePattern(const QString &pattern)
{
  Pattern p;
  const int point = int(pattern.indexOf(QLatin1Char('.')));
  const QString integer = point < 0 ? pattern : pattern.left(point);
  const QString fraction = point < 0 ? QString() : pattern.mid(point + 1);
  p.grouping = integer.contains(QLatin1Char(','));
  p.minInteger = int(integer.count(QLatin1Char('0')));
  for (const QChar c : fraction)
    if (c == QLatin1Char('0') || c == QLatin1Char('#'))
      ++p.decimals;
  return p;
}

// Decimal digits of |value| rounded half away from zero to `decimals` places,
// as an integer part and a fraction part, after taking the value to 15
// significant digits.
void roundDecimal(double value, int decimals, QString *integer, QString *fraction)
{
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
  // buffer: d.dddddddddddddde[+-]XX
  QString digits = QString::fromLatin1(buffer, 1) + QString::fromLatin1(buffer + 2, 14);
  const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
  // Place the decimal point: the first digit has weight 10^exponent.
  int pointPos = exponent + 1; // digits before the point
  if (pointPos <= 0) {
    digits = QString(-pointPos + 1, QLatin1Char('0')) + digits;
    pointPos = 1;
  } else if (pointPos > digits.size()) {
    digits += QString(pointPos - digits.size(), QLatin1Char('0'));
  }
  // Keep decimals + 1 digits after the point, then round on the last.
  const int keep = pointPos + decimals;
  if (digits.size() < keep + 1)
    digits += QString(keep + 1 - digits.size(), QLatin1Char('0'));
  const bool up = digits[keep] >= QLatin1Char('5');
  digits.truncate(keep);
  if (up) {
    int i = keep - 1;
    for (; i >= 0; --i) {
      if (digits[i] == QLatin1Char('9')) {
        digits[i] = QLatin1Char('0');
      } else {
        digits[i] = QChar(digits[i].unicode() + 1);
        break;
      }
    }
    if (i < 0) {
      digits.prepend(QLatin1Char('1'));
      ++pointPos;
    }
  }
  *integer = digits.left(pointPos);
  *fraction = digits.mid(pointPos);
  // Strip leading zeros of the integer part (kept empty for zero).
  int lead = 0;
  while (lead < integer->size() && integer->at(lead) == QLatin1Char('0'))
    ++lead;
  integer->remove(0, lead);
}

double rounded(double value, int decimals)
{
  if (!std::isfinite(value))
    return value;
  QString integer, fraction;
  roundDecimal(value, decimals, &integer, &fraction);
  const QString text = (value < 0 ? QStringLiteral("-") : QString()) +
                       (integer.isEmpty() ? QStringLiteral("0") : integer) + QLatin1Char('.') + fraction;
  const double result = std::strtod(text.toLatin1().constData(), nullptr);
  return result == 0 ? 0.0 : result; // no negative zero
}

} // namespace

QString FormatFloat(const QString &pattern, double value, const QLocale &locale)
{
  if (!std::isfinite(value))
    return locale.toString(value);
  const Pattern p = parsePattern(pattern);
  QString integer, fraction;
  roundDecimal(value, p.decimals, &integer, &fraction);
  const bool zero = integer.isEmpty() && !fraction.contains(QRegularExpression(QStringLiteral("[1-9]")));
  if (integer.size() < p.minInteger)
    integer = QString(p.minInteger - integer.size(), QLatin1Char('0')) + integer;
  if (p.grouping && integer.size() > 3) {
    const QString separator = locale.groupSeparator();
    for (int i = int(integer.size()) - 3; i > 0; i -= 3)
      integer.insert(i, separator);
  }
  QString text = integer;
  if (p.decimals > 0)
    text += locale.decimalPoint() + fraction;
  if (value < 0 && !zero)
    text.prepend(locale.negativeSign());
  return text;
}

double IkiHaneYuvarla(double value)
{
  return rounded(value, 2);
}
double UcHaneYuvarla(double value)
{
  return rounded(value, 3);
}

QString UrlKodla(const QString &address)
{
  return QUrl(address, QUrl::TolerantMode).toString(QUrl::FullyEncoded);
}

QStringList ChromeAdaylari()
{
#ifdef Q_OS_WIN
  return {QStringLiteral("C:\\Program Files (x86)\\Google\\Chrome\\Application\\chrome.exe"),
          QStringLiteral("C:\\Program Files (x86)\\Google\\Application\\chrome.exe"),
          QStringLiteral("C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe"),
          QStringLiteral("C:\\Program Files\\Google\\Chrome\\chrome.exe"),
          QStringLiteral("C:\\Users\\") + qEnvironmentVariable("USERNAME") +
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

QString IlkVarOlan(const QStringList &candidates, const std::function<bool(const QString &)> &exists)
{
  for (const QString &path : candidates)
    if (exists(path))
      return path;
  return {};
}

QString ChromeYoluAl()
{
  return IlkVarOlan(ChromeAdaylari(), [](const QString &path) {
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
