#include <wire/catalogue.h>
#include <wire/decimal.h>
#include <wire/tablemap.h>
#include <wire/value.h>

#include <QCborArray>
#include <QCborMap>
#include <QtTest>

using wire::ColumnType;

class TestValues : public QObject {
  Q_OBJECT

private slots:
  // Client and server round amounts with this one function.
  void decimalRounding_data()
  {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("rounded");
    QTest::newRow("half a cent just below in binary") << 1.005 << 2 << 1.01;
    QTest::newRow("0.285 rounds up") << 0.285 << 2 << 0.29;
    QTest::newRow("2.675 rounds up") << 2.675 << 2 << 2.68;
    QTest::newRow("negative halves away from zero") << -1.005 << 2 << -1.01;
    QTest::newRow("tiny becomes zero") << 0.004 << 2 << 0.0;
    QTest::newRow("negative tiny is plain zero") << -0.004 << 2 << 0.0;
    QTest::newRow("carry into the integer") << 9.995 << 2 << 10.0;
    QTest::newRow("three decimals") << 0.0005 << 3 << 0.001;
    QTest::newRow("large amount") << 1234567.125 << 2 << 1234567.13;
  }
  void decimalRounding()
  {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, rounded);
    const double r = wire::roundDecimal(value, decimals);
    QCOMPARE(r, rounded);
    QVERIFY(!std::signbit(r) || r != 0);
  }

  void oleDates_data()
  {
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<double>("days");
    QTest::newRow("epoch") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
    QTest::newRow("1900-01-01") << QDateTime(QDate(1900, 1, 1), QTime(0, 0)) << 2.0;
    QTest::newRow("noon 2026-12-10") << QDateTime(QDate(2026, 12, 10), QTime(12, 0)) << 46366.5;
    QTest::newRow("before the epoch") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
  }
  void oleDates()
  {
    QFETCH(QDateTime, dateTime);
    QFETCH(double, days);
    QCOMPARE(wire::toOleDate(dateTime), days);
    QCOMPARE(wire::fromOleDate(days), dateTime);
  }

  void kinds_data()
  {
    QTest::addColumn<QCborValue>("value");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("matches");
    QTest::newRow("int32") << QCborValue(7) << int(wire::ValueKind::Int32) << true;
    QTest::newRow("int32 too big") << QCborValue(qint64(1) << 31) << int(wire::ValueKind::Int32) << false;
    QTest::newRow("double from integer") << QCborValue(7) << int(wire::ValueKind::Double) << true;
    QTest::newRow("text for int") << QCborValue(QStringLiteral("7")) << int(wire::ValueKind::Int32) << false;
    QTest::newRow("null object") << QCborValue(QCborValue::Null) << int(wire::ValueKind::Object) << true;
    QTest::newRow("tagged object") << wire::embedJson("{}") << int(wire::ValueKind::Object) << true;
    QTest::newRow("untagged text object")
        << QCborValue(QStringLiteral("{}")) << int(wire::ValueKind::Object) << false;
    QTest::newRow("bool") << QCborValue(false) << int(wire::ValueKind::Bool) << true;
  }
  void kinds()
  {
    QFETCH(QCborValue, value);
    QFETCH(int, kind);
    QFETCH(bool, matches);
    QCOMPARE(wire::matchesKind(value, wire::ValueKind(kind)), matches);
  }

  void tableRoundTripsEveryType()
  {
    wire::TableMap table;
    table.columns = {{"STOKNO", ColumnType::Int32},  {"BUYUK", ColumnType::Int64},
                     {"FIYAT", ColumnType::Double},  {"ADI", ColumnType::Text, 100},
                     {"VAR", ColumnType::Bool},      {"TARIH", ColumnType::Date},
                     {"SAAT", ColumnType::DateTime}, {"RESIM", ColumnType::Bytes}};
    table.rows = {
        {12, qlonglong(1) << 40, 1234.5, QStringLiteral("Fren Balatası Ön"), true, QDate(2026, 1, 31),
         QDateTime(QDate(2026, 1, 31), QTime(23, 59, 58)), QByteArray("\x00\xff", 2)},
        {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
    };
    QString error;
    const auto back = wire::TableMap::fromCbor(QCborValue::fromCbor(table.toCbor().toCbor()), &error);
    QVERIFY2(back, qPrintable(error));
    QCOMPARE(back->columns.size(), 8);
    QCOMPARE(back->columns[3].size, 100);
    QCOMPARE(back->rows[0], table.rows[0]);
    for (const QVariant &cell : back->rows[1])
      QVERIFY(!cell.isValid());
    QCOMPARE(back->columnIndex("fiyat"), 2);
  }

  void tableRefusesMalformedMaps_data()
  {
    QTest::addColumn<QCborValue>("value");
    const QCborArray column{QCborMap{{"name", "A"}, {"type", "int32"}}};
    QTest::newRow("not a map") << QCborValue(QCborArray{});
    QTest::newRow("no rows") << QCborValue(QCborMap{{"columns", column}});
    QTest::newRow("unknown type") << QCborValue(QCborMap{
        {"columns", QCborArray{QCborMap{{"name", "A"}, {"type", "money"}}}}, {"rows", QCborArray{}}});
    QTest::newRow("nameless column") << QCborValue(
        QCborMap{{"columns", QCborArray{QCborMap{{"type", "text"}}}}, {"rows", QCborArray{}}});
    QTest::newRow("short row") << QCborValue(
        QCborMap{{"columns", column}, {"rows", QCborArray{QCborArray{}}}});
    QTest::newRow("cell of another type")
        << QCborValue(QCborMap{{"columns", column}, {"rows", QCborArray{QCborArray{"x"}}}});
    QTest::newRow("bad date") << QCborValue(
        QCborMap{{"columns", QCborArray{QCborMap{{"name", "T"}, {"type", "date"}}}},
                 {"rows", QCborArray{QCborArray{"2026-13-40"}}}});
  }
  void tableRefusesMalformedMaps()
  {
    QFETCH(QCborValue, value);
    QString error;
    QVERIFY(!wire::TableMap::fromCbor(value, &error));
    QVERIFY(!error.isEmpty());
  }

  void catalogueHoldsTheCalledMethods()
  {
    // 49 methods the client calls, plus EchoString and ReverseString.
    QCOMPARE(wire::methodCatalogue().size(), 51);
    const wire::MethodSignature *add = wire::findMethod("SepetEkle2");
    QVERIFY(add);
    QCOMPARE(add->inputs().size(), 14);
    QCOMPARE(add->inputs().first().className, QStringLiteral("TSonucBilgisi"));
    QCOMPARE(add->inputs().at(10).name, QStringLiteral("k"));
    const wire::MethodSignature *report = wire::findMethod("RaporGetir");
    QCOMPARE(report->inputs().size(), 7);
    QCOMPARE(report->outputs().size(), 1);
    QCOMPARE(report->outputs().first().kind, wire::ValueKind::Int64);
    QCOMPARE(*report->result, wire::ValueKind::Bytes);
    QVERIFY(!wire::findMethod("SepetSecimGuncelle")->result);
    QVERIFY(wire::findMethod("BalonGetir")->recordSet);
    QVERIFY(!wire::findMethod("SepetVer2")->recordSet);
  }
};

QTEST_APPLESS_MAIN(TestValues)
#include "tst_values.moc"
