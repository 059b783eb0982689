#include "ui/common/formats.h"

#include <QtTest>

#include <clocale>
#include <cmath>
#include <limits>

class TestFormats : public QObject {
  Q_OBJECT

  const QLocale turkish{QLocale::Turkish, QLocale::Turkey};

private slots:
  void initTestCase() { QLocale::setDefault(turkish); }

  void patterns_data()
  {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    // Money format under the Turkish locale.
    QTest::newRow("tr grouped") << "tr_TR" << kParaBicimi << 1234.5 << "1.234,50";
    QTest::newRow("tr millions") << "tr_TR" << kParaBicimi << 12345678.9 << "12.345.678,90";
    QTest::newRow("tr three digits, no separator") << "tr_TR" << kParaBicimi << 123.0 << "123,00";
    QTest::newRow("tr below one") << "tr_TR" << kParaBicimi << 0.5 << "0,50";
    QTest::newRow("tr zero") << "tr_TR" << kParaBicimi << 0.0 << "0,00";
    QTest::newRow("tr negative") << "tr_TR" << kParaBicimi << -1234.567 << "-1.234,57";
    QTest::newRow("tr half away from zero") << "tr_TR" << kParaBicimi << 0.125 << "0,13";
    QTest::newRow("tr negative half") << "tr_TR" << kParaBicimi << -0.125 << "-0,13";
    QTest::newRow("tr 15 digits decide 1.005") << "tr_TR" << kParaBicimi << 1.005 << "1,01";
    QTest::newRow("tr 15 digits decide 1234.565") << "tr_TR" << kParaBicimi << 1234.565 << "1.234,57";
    QTest::newRow("tr shows zero, no minus") << "tr_TR" << kParaBicimi << -0.004 << "0,00";
    QTest::newRow("tr negative zero") << "tr_TR" << kParaBicimi << -0.0 << "0,00";
    QTest::newRow("tr carry into a new group") << "tr_TR" << kParaBicimi << 999.995 << "1.000,00";
    QTest::newRow("tr two integer digits") << "tr_TR" << kParaBicimi2 << 5.0 << "05,00";
    QTest::newRow("tr two integer digits, below one") << "tr_TR" << kParaBicimi2 << 0.5 << "00,50";
    QTest::newRow("tr two integer digits, large") << "tr_TR" << kParaBicimi2 << 1234.5 << "1.234,50";
    QTest::newRow("tr no integer digit") << "tr_TR" << kIkiHaneBicimi << 0.5 << ",50";
    QTest::newRow("tr no integer digit, negative") << "tr_TR" << kIkiHaneBicimi << -0.5 << "-,50";
    QTest::newRow("tr no integer digit, zero") << "tr_TR" << kIkiHaneBicimi << 0.0 << ",00";
    QTest::newRow("tr three decimals") << "tr_TR" << kUcHaneBicimi << 1234.5675 << "1.234,568";
    QTest::newRow("tr three decimals, small") << "tr_TR" << kUcHaneBicimi << 0.0005 << ",001";
    // The same patterns with C and English separators.
    QTest::newRow("C grouped") << "C" << kParaBicimi << 1234567.891 << "1,234,567.89";
    QTest::newRow("en grouped") << "en_US" << kParaBicimi << -1234567.891 << "-1,234,567.89";
    QTest::newRow("en two integer digits") << "en_US" << kParaBicimi2 << 5.0 << "05.00";
    QTest::newRow("en no integer digit") << "en_US" << kIkiHaneBicimi << 0.125 << ".13";
    QTest::newRow("en three decimals") << "en_US" << kUcHaneBicimi << 12345.0 << "12,345.000";
    QTest::newRow("C very large") << "C" << kParaBicimi << 1e20 << "100,000,000,000,000,000,000.00";
    // The general rule beyond the patterns in use.
    QTest::newRow("optional decimals dropped") << "C"
                                               << "0.0#" << 1.5 << "1.5";
    QTest::newRow("optional decimals kept") << "C"
                                            << "0.0#" << 1.25 << "1.25";
    QTest::newRow("no decimals, half away") << "C"
                                            << "0" << -2.5 << "-3";
    QTest::newRow("padding without grouping") << "C"
                                              << "000" << 7.0 << "007";
    QTest::newRow("nothing required") << "C"
                                      << "#.##" << 0.0 << "";
    QTest::newRow("empty pattern: general form") << "tr_TR"
                                                 << "" << 1234.5 << "1234,5";
  }
  void patterns()
  {
    QFETCH(QString, locale);
    QFETCH(QString, pattern);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatFloat(pattern, value, QLocale(locale)), text);
  }

  void theDefaultLocaleIsUsedWhenNoneIsGiven() { QCOMPARE(FormatFloat(kParaBicimi, 1234.5), "1.234,50"); }

  void rounding_data()
  {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("two");
    QTest::addColumn<double>("three");
    QTest::newRow("1234.567") << 1234.567 << 1234.57 << 1234.567;
    QTest::newRow("0.125") << 0.125 << 0.13 << 0.125;
    QTest::newRow("0.004") << 0.004 << 0.0 << 0.004;
    QTest::newRow("1.005") << 1.005 << 1.01 << 1.005;
    QTest::newRow("1234.565") << 1234.565 << 1234.57 << 1234.565;
    QTest::newRow("three decimals half") << 1.0005 << 1.0 << 1.001;
    QTest::newRow("negative half") << -2.675 << -2.68 << -2.675;
    QTest::newRow("small negative") << -0.004 << 0.0 << -0.004;
    QTest::newRow("tiny negative") << -0.0004 << 0.0 << 0.0;
    QTest::newRow("negative zero") << -0.0 << 0.0 << 0.0;
    QTest::newRow("large") << 12345678.9 << 12345678.9 << 12345678.9;
    QTest::newRow("large half") << 12345678.905 << 12345678.91 << 12345678.905;
    QTest::newRow("tax factor") << 100.0 * 1.18 << 118.0 << 118.0;
  }
  void rounding()
  {
    QFETCH(double, value);
    QFETCH(double, two);
    QFETCH(double, three);
    QCOMPARE(IkiHaneYuvarla(value), two);
    QCOMPARE(UcHaneYuvarla(value), three);
    if (two == 0)
      QVERIFY(!std::signbit(IkiHaneYuvarla(value)));
    if (three == 0)
      QVERIFY(!std::signbit(UcHaneYuvarla(value)));
  }

  // The rounding equals what the display shows read back as a number:
  // format, drop the group separators, parse with the same locale.
  void roundingMatchesTheDisplayReadBack()
  {
    const QList<double> values{0.0,          0.005,     0.015,      0.125,       0.5,      0.995,
                               1.005,        2.675,     99.995,     1234.565,    1234.567, 8.325,
                               100.0 * 1.18, 19.99 * 3, 123456.785, 12345678.905};
    for (const QLocale &locale : {turkish, QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
      for (const double magnitude : values) {
        for (const double value : {magnitude, -magnitude}) {
          QString shown = FormatFloat(kIkiHaneBicimi, value, locale).remove(locale.groupSeparator());
          if (shown.startsWith(locale.decimalPoint()))
            shown.prepend(QLatin1Char('0'));
          else if (shown.startsWith(locale.negativeSign() + locale.decimalPoint()))
            shown.insert(locale.negativeSign().size(), QLatin1Char('0'));
          bool ok = false;
          const double readBack = locale.toDouble(shown, &ok);
          QVERIFY2(ok, qPrintable(shown));
          QVERIFY2(IkiHaneYuvarla(value) == readBack,
                   qPrintable(QStringLiteral("%1 in %2").arg(value, 0, 'g', 17).arg(locale.name())));
        }
      }
    }
  }

  // A program runs with the C library's numeric locale set from the
  // environment; with a decimal comma there the rounding must not change.
  void roundingIgnoresTheCLibraryLocale()
  {
    const QByteArray previous = std::setlocale(LC_NUMERIC, nullptr);
    const char *chosen = nullptr;
    for (const char *name : {"tr_TR.UTF-8", "tr_TR.utf8", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"})
      if ((chosen = std::setlocale(LC_NUMERIC, name)))
        break;
    if (!chosen)
      QSKIP("no locale with a decimal comma is installed");
    const double two = IkiHaneYuvarla(1234.567);
    const double three = UcHaneYuvarla(0.0005);
    const QString shown = FormatFloat(kParaBicimi, 1234.567, QLocale::c());
    std::setlocale(LC_NUMERIC, previous.constData());
    QCOMPARE(two, 1234.57);
    QCOMPARE(three, 0.001);
    QCOMPARE(shown, "1,234.57");
  }

  void nonFiniteValuesPassUnchanged()
  {
    QVERIFY(std::isnan(IkiHaneYuvarla(std::numeric_limits<double>::quiet_NaN())));
    QCOMPARE(UcHaneYuvarla(-std::numeric_limits<double>::infinity()),
             -std::numeric_limits<double>::infinity());
    QVERIFY(!FormatFloat(kParaBicimi, std::numeric_limits<double>::infinity()).isEmpty());
  }

  void urlEncoding_data()
  {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("blank and Turkish letters in the query")
        << "https://b2b.example.com/sanalpos.aspx?carino=5&firmasi=ÖZGÜR OTO&bakiye=1.234,50 TL"
        << "https://b2b.example.com/"
           "sanalpos.aspx?carino=5&firmasi=%C3%96ZG%C3%9CR%20OTO&bakiye=1.234,50%20TL";
    QTest::newRow("blank and ç in the path") << "http://x/a b/ç"
                                             << "http://x/a%20b/%C3%A7";
    QTest::newRow("stray percent sign") << "http://x/?oran=%5 indirim"
                                        << "http://x/?oran=%255%20indirim";
    QTest::newRow("already encoded stays") << "http://x/a%20b?q=%C3%A7"
                                           << "http://x/a%20b?q=%C3%A7";
    QTest::newRow("plain address") << "http://127.0.0.1:8080/"
                                   << "http://127.0.0.1:8080/";
  }
  void urlEncoding()
  {
    QFETCH(QString, address);
    QFETCH(QString, encoded);
    QCOMPARE(UrlKodla(address), encoded);
  }

  void chromeLookup_data()
  {
    QTest::addColumn<QList<int>>("existing"); // indexes into the candidates; -1 the per-user one
    QTest::addColumn<int>("found");           // -2 none
    QTest::newRow("all installed: the first") << QList<int>{0, 1, 2, 3, 4, -1} << 0;
    QTest::newRow("machine-wide beats per-user") << QList<int>{-1, 2} << 2;
    QTest::newRow("per-user only") << QList<int>{-1} << -1;
    QTest::newRow("none") << QList<int>{} << -2;
  }
  void chromeLookup()
  {
    QFETCH(QList<int>, existing);
    QFETCH(int, found);
    const QStringList candidates = chromeCandidates();
    QCOMPARE(candidates.size(), 6);
    auto at = [&](int i) { return i == -1 ? candidates.last() : candidates.at(i); };
    QStringList present;
    for (const int i : existing)
      present << at(i);
    const QString path = firstExisting(candidates, [&](const QString &p) { return present.contains(p); });
    QCOMPARE(path, found == -2 ? QString() : at(found));
  }

  void thePerUserInstallationIsLookedAtLast()
  {
#ifndef Q_OS_WIN
    const QStringList candidates = chromeCandidates();
    QVERIFY(candidates.last().startsWith(QDir::homePath() + "/"));
    for (qsizetype i = 0; i + 1 < candidates.size(); ++i)
      QVERIFY(!candidates.at(i).startsWith(QDir::homePath() + "/"));
#endif
  }

  void engineVersion()
  {
#ifdef TARVESA_HAVE_WEBENGINE
    QVERIFY(IEVersiyonuAl() >= 80); // Qt 6's engines are Chromium 87 and later
#else
    QCOMPARE(IEVersiyonuAl(), 0);
#endif
  }
};

QTEST_APPLESS_MAIN(TestFormats)
#include "tst_formats.moc"
