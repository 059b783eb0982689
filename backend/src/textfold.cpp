#include "textfold.h"

namespace backend {

QString foldForSearch(const QString &text)
{
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
    case u'ç':
    case u'Ç':
      out += QLatin1Char('C');
      break;
    case u'ğ':
    case u'Ğ':
      out += QLatin1Char('G');
      break;
    case u'ı':
    case u'I':
    case u'i':
    case u'İ':
      out += QLatin1Char('I');
      break;
    case u'ö':
    case u'Ö':
      out += QLatin1Char('O');
      break;
    case u'ş':
    case u'Ş':
      out += QLatin1Char('S');
      break;
    case u'ü':
    case u'Ü':
      out += QLatin1Char('U');
      break;
    case u'â':
    case u'Â':
      out += QLatin1Char('A');
      break;
    case u'î':
    case u'Î':
      out += QLatin1Char('I');
      break;
    case u'û':
    case u'Û':
      out += QLatin1Char('U');
      break;
    default:
      out += c.toUpper();
    }
  }
  return out;
}

QString compactForSearch(const QString &text)
{
  const QString folded = foldForSearch(text);
  QString out;
  out.reserve(folded.size());
  for (const QChar c : folded)
    if (c.isLetterOrNumber())
      out += c;
  return out;
}

} // namespace backend
