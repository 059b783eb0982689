#include "ui/common/formats.h"

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

// The decimal digits of |value| as a display shows them: the value is taken to
// 15 significant digits, then rounded half away from zero to `decimals` places.
// Works on text digits only, so neither the C library's nor Qt's locale is
// involved.
struct Decimal {
  std::string integer;  // no leading zeros; empty when the integer part is 0
  std::string fraction; // exactly `decimals` digits
  bool isZero() const { return integer.empty() && fraction.find_first_not_of('0') == std::string::npos; }
};

Decimal toDecimal(double value, int decimals)
{
  // "d.dddddddddddddde+XX": 15 significant digits, correctly rounded.
  char buffer[40];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
  const char *const begin = buffer;
  const char *const end = written.ptr;
  const char *const e = std::find(begin, end, 'e');
  std::string digits;
  digits.reserve(size_t(std::max(0, decimals)) + 32);
  digits.push_back(buffer[0]);
  digits.append(begin + 2, e);

  const char *exponentText = e + 1;
  const bool negativeExponent = *exponentText == '-';
  if (*exponentText == '+' || *exponentText == '-')
    ++exponentText;
  int exponent = 0;
  std::from_chars(exponentText, end, exponent);
  if (negativeExponent)
    exponent = -exponent;

  // The first digit has the weight 10^exponent: `point` digits stand before
  // the decimal point once the small values are padded with leading zeros.
  int point = exponent + 1;
  if (point <= 0) {
    digits.insert(0, size_t(1 - point), '0');
    point = 1;
  }
  const size_t keep = size_t(point) + size_t(std::max(0, decimals));
  if (digits.size() < keep + 1)
    digits.resize(keep + 1, '0');
  const bool up = digits[keep] >= '5';
  digits.resize(keep);
  if (up) {
    size_t i = keep;
    while (i > 0 && digits[i - 1] == '9')
      digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
      ++point;
    } else {
      ++digits[i - 1];
    }
  }

  Decimal result;
  result.integer = digits.substr(0, size_t(point));
  result.integer.erase(0, std::min(result.integer.find_first_not_of('0'), result.integer.size()));
  result.fraction = digits.substr(size_t(point));
  return result;
}

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

double roundedTo(double value, int decimals)
{
  if (!std::isfinite(value))
    return value;
  const Decimal d = toDecimal(value, decimals);
  if (d.isZero())
    return 0.0; // also turns -0 into 0
  std::string text;
  if (value < 0)
    text.push_back('-');
  text += d.integer.empty() ? std::string("0") : d.integer;
  text.push_back('.');
  text += d.fraction;
  double result = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), result);
  return result;
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
  const Decimal d = toDecimal(value, p.maxDecimals);
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
  return roundedTo(value, 2);
}

double UcHaneYuvarla(double value)
{
  return roundedTo(value, 3);
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
