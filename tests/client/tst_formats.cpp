#include "ui/common/formats.h"

#include <QtTest>

#include <limits>

class TestFormats : public QObject {
  Q_OBJECT

  const QLocale turkish{QLocale::Turkish, QLocale::Turkey};

private slots:
  void initTestCase() { QLocale::setDefault(turkish); }

  void patterns_data()
  {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("money grouped") << kParaBicimi << 1234.5 << "1.234,50";
    QTest::newRow("money millions") << kParaBicimi << 12345678.9 << "12.345.678,90";
    QTest::newRow("money below one") << kParaBicimi << 0.5 << "0,50";
    QTest::newRow("money zero") << kParaBicimi << 0.0 << "0,00";
    QTest::newRow("money negative") << kParaBicimi << -1234.567 << "-1.234,57";
    QTest::newRow("money half up") << kParaBicimi << 0.125 << "0,13";
    QTest::newRow("money half down side") << kParaBicimi << -0.125 << "-0,13";
    QTest::newRow("money 15 digits decide") << kParaBicimi << 1.005 << "1,01";
    QTest::newRow("money rounds to zero, no minus") << kParaBicimi << -0.004 << "0,00";
    QTest::newRow("money carry") << kParaBicimi << 999.999 << "1.000,00";
    QTest::newRow("two integer digits") << kParaBicimi2 << 5.0 << "05,00";
    QTest::newRow("two integer digits, large") << kParaBicimi2 << 1234.5 << "1.234,50";
    QTest::newRow("no integer digit") << kIkiHaneBicimi << 0.5 << ",50";
    QTest::newRow("three decimals") << kUcHaneBicimi << 1234.5675 << "1.234,568";
  }
  void patterns()
  {
    QFETCH(QString, pattern);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatFloat(pattern, value, turkish), text);
  }

  void separatorsFollowTheLocale()
  {
    QCOMPARE(FormatFloat(kParaBicimi, 1234567.891, QLocale(QLocale::English, QLocale::UnitedStates)),
             QStringLiteral("1,234,567.89"));
    QCOMPARE(FormatFloat(kParaBicimi, 1234.5), QStringLiteral("1.234,50")); // the default locale
  }

  void rounding_data()
  {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("two");
    QTest::addColumn<double>("three");
    QTest::newRow("1234.567") << 1234.567 << 1234.57 << 1234.567;
    QTest::newRow("0.125") << 0.125 << 0.13 << 0.125;
    QTest::newRow("0.004") << 0.004 << 0.0 << 0.004;
    QTest::newRow("1.005") << 1.005 << 1.01 << 1.005;
    QTest::newRow("negative half") << -2.675 << -2.68 << -2.675;
    QTest::newRow("small negative") << -0.004 << 0.0 << -0.004;
    QTest::newRow("large") << 12345678.905 << 12345678.91 << 12345678.905;
    QTest::newRow("three decimals half") << 0.0005 << 0.0 << 0.001;
  }
  void rounding()
  {
    QFETCH(double, value);
    QFETCH(double, two);
    QFETCH(double, three);
    QCOMPARE(IkiHaneYuvarla(value), two);
    QCOMPARE(UcHaneYuvarla(value), three);
    QVERIFY(!std::signbit(IkiHaneYuvarla(-0.001))); // no negative zero
  }

  void roundingIsTheSameUnderAnyLocale()
  {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(IkiHaneYuvarla(1234.567), 1234.57);
    QLocale::setDefault(turkish);
    QCOMPARE(IkiHaneYuvarla(1234.567), 1234.57);
  }

  void nonFiniteValuesPassUnchanged()
  {
    QVERIFY(std::isnan(IkiHaneYuvarla(std::numeric_limits<double>::quiet_NaN())));
    QCOMPARE(IkiHaneYuvarla(std::numeric_limits<double>::infinity()),
             std::numeric_limits<double>::infinity());
  }

  void urlEncoding_data()
  {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("blank and Turkish letters")
        << "https://b2b.example.com/sanalpos.aspx?carino=5&sube=MERKEZ&firmasi=ÖZGÜR OTO&bakiye=1.234,50 TL"
        << "https://b2b.example.com/"
           "sanalpos.aspx?carino=5&sube=MERKEZ&firmasi=%C3%96ZG%C3%9CR%20OTO&bakiye=1.234,50%20TL";
    QTest::newRow("path") << "http://x/a b/ç"
                          << "http://x/a%20b/%C3%A7";
    QTest::newRow("already plain") << "http://127.0.0.1:8080/"
                                   << "http://127.0.0.1:8080/";
  }
  void urlEncoding()
  {
    QFETCH(QString, address);
    QFETCH(QString, encoded);
    QCOMPARE(UrlKodla(address), encoded);
  }

  void chromeLookupPrefersMachineWideInstallations()
  {
    const QStringList candidates = ChromeAdaylari();
    QVERIFY(candidates.size() >= 2);
    const QString perUser = candidates.last();
    QCOMPARE(IlkVarOlan(candidates, [&](const QString &p) { return p == perUser; }), perUser);
    QCOMPARE(IlkVarOlan(candidates, [&](const QString &p) { return p == perUser || p == candidates[1]; }),
             candidates[1]);
    QCOMPARE(IlkVarOlan(candidates, [](const QString &) { return false; }), QString());
  }
};

QTEST_APPLESS_MAIN(TestFormats)
#include "tst_formats.moc"
