#pragma once
// Number display in the platform's format language, the decimal rounding every
// amount passes through, and the helpers that hand an address to an external
// browser.

#include <QString>
#include <QtCore/qcontainerfwd.h>

#include <functional>

class QLocale;

inline const QString kParaBicimi = QStringLiteral("#,###,##0.00");   // money columns and totals
inline const QString kParaBicimi2 = QStringLiteral("#,###,##00.00"); // grand totals
inline const QString kIkiHaneBicimi = QStringLiteral("#,###,##.00");
inline const QString kUcHaneBicimi = QStringLiteral("#,###,##.000");

// Formats `value` with a pattern of the platform's number-format language:
//   '#'  an optional digit
//   '0'  a required digit: in the integer part the placeholders from the
//        leftmost '0' up to the point are always shown (zero-padded); in the
//        fraction the placeholders up to the last '0' are always shown, the
//        '#'s after it only when not zero
//   ','  anywhere in the integer part: group the integer digits by three
//   '.'  the decimal point (the first one; the decimals are the '0'/'#' after it)
// Other characters are ignored. Separators and the minus sign come from the
// locale (the default locale in the two-argument form). An empty pattern gives
// the general form: up to 15 significant digits, no grouping.
//
// The value is first taken to 15 significant decimal digits, then its shown
// decimals are rounded half away from zero (1.005 shows as 1.01). A value that
// shows as zero gets no minus sign. NaN and infinities give the locale's text.
QString FormatFloat(const QString &pattern, double value);
QString FormatFloat(const QString &pattern, double value, const QLocale &locale);

// The value that "#,###,##.00" ("#,###,##.000") shows, as a number: rounded
// the same way on its decimal digits, independent of any locale. Never -0.
// NaN and infinities come back unchanged (callers do not pass them).
double IkiHaneYuvarla(double value);
double UcHaneYuvarla(double value);

// The address percent-encoded for passing it to a program: characters not
// allowed where they stand become %XX of their UTF-8 bytes; scheme, host and
// separators are kept.
QString UrlKodla(const QString &address);

// Full path of an installed Chrome or Chromium, empty when none: the
// machine-wide installations first, the per-user one last.
QString ChromeYoluAl();
// The paths ChromeYoluAl looks at, in order.
QStringList chromeCandidates();
// The first of `candidates` for which `exists` is true; empty when none.
QString firstExisting(const QStringList &candidates, const std::function<bool(const QString &)> &exists);

// Major version of the embedded browser engine (its Chromium version); 0 when
// the program is built without one.
int IEVersiyonuAl();
