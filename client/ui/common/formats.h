#pragma once
// Number display in the platform's format language and the text-based
// rounding every amount passes through.

#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

inline const QString kParaBicimi = QStringLiteral("#,###,##0.00");   // money columns and totals
inline const QString kParaBicimi2 = QStringLiteral("#,###,##00.00"); // grand totals
inline const QString kIkiHaneBicimi = QStringLiteral("#,###,##.00");
inline const QString kUcHaneBicimi = QStringLiteral("#,###,##.000");

// Formats `value` with a pattern of the platform's number-format language:
// "#" an optional digit, "0" a required digit, "," in the integer part turns
// on grouping by three, "." the decimal point. Separators come from `locale`.
// Halves round away from zero on the decimal digits a display shows (the
// value is first taken to 15 significant digits).
QString FormatFloat(const QString &pattern, double value, const QLocale &locale = QLocale());

// The value that a two-decimal (three-decimal) display shows. Non-finite
// values come back unchanged.
double IkiHaneYuvarla(double value);
double UcHaneYuvarla(double value);

// The address percent-encoded for passing it on as a program argument.
QString UrlKodla(const QString &address);

// Path of an installed Chrome or Chromium, empty when none; machine-wide
// installations first, the per-user one last.
QString ChromeYoluAl();
QStringList ChromeAdaylari(); // the candidates in lookup order
QString IlkVarOlan(const QStringList &candidates, const std::function<bool(const QString &)> &exists);

// Major version of the embedded browser engine; 0 when built without one.
int IEVersiyonuAl();
