#include "data/clientdataset.h"

#include <QtTest>

using wire::ColumnType;

namespace {

wire::TableMap basket(const QList<int> &marks)
{
  wire::TableMap t;
  t.columns = {{"SIRANO", ColumnType::Int32},
               {"SEC", ColumnType::Int32},
               {"STOKADI", ColumnType::Text, 50},
               {"ADET", ColumnType::Int32},
               {"FIYAT", ColumnType::Double}};
  int n = 0;
  for (int mark : marks) {
    ++n;
    t.rows.append({n * 10, mark, QStringLiteral("Parça %1").arg(n), n, 1234.5 * n});
  }
  return t;
}

struct Counter : DataSetObserver {
  int resets = 0, values = 0, cursor = 0;
  void dataSetChanged(ClientDataSet &, Change c) override
  {
    (c == Change::Reset ? resets : c == Change::Values ? values : cursor)++;
  }
};

} // namespace

class TestDataSet : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }

  void moneyFormatGoesOnFloatFieldsOnly()
  {
    ClientDataSet ds;
    ds.CopyFromTable(basket({0}));
    ParaBicimiUygula(ds);
    QCOMPARE(ds.FieldByName("FIYAT")->DisplayFormat(), QStringLiteral("#,###,##0.00"));
    QCOMPARE(ds.FieldByName("FIYAT")->DisplayText(), QStringLiteral("1.234,50"));
    QVERIFY(ds.FieldByName("ADET")->DisplayFormat().isEmpty());
    QVERIFY(ds.FieldByName("SEC")->DisplayFormat().isEmpty());
    QCOMPARE(ds.FieldByName("adet")->AsInteger(), 1); // names are case-insensitive
  }

  void kayitVarmi()
  {
    ClientDataSet ds;
    QVERIFY(!KayitVarmi(ds));
    ds.CopyFromTable(basket({}));
    QVERIFY(!KayitVarmi(ds));
    ds.CopyFromTable(basket({0}));
    QVERIFY(KayitVarmi(ds));
    ds.Close();
    QVERIFY(!KayitVarmi(ds));
  }

  void seciliSatiraGit_data()
  {
    QTest::addColumn<QList<int>>("marks");
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("eof");
    QTest::addColumn<int>("line");
    QTest::newRow("empty basket") << QList<int>{} << false << true << 0;
    QTest::newRow("nothing marked") << QList<int>{0, 0, 0} << true << true << 30;
    QTest::newRow("second marked") << QList<int>{0, 1, 1} << true << false << 20;
    QTest::newRow("first marked") << QList<int>{1, 0} << true << false << 10;
    QTest::newRow("last marked") << QList<int>{0, 0, 1} << true << false << 30;
  }
  void seciliSatiraGit()
  {
    QFETCH(QList<int>, marks);
    QFETCH(bool, result);
    QFETCH(bool, eof);
    QFETCH(int, line);
    ClientDataSet ds;
    ds.CopyFromTable(basket(marks));
    QCOMPARE(SeciliSatiraGit(ds), result);
    QCOMPARE(ds.Eof(), eof);
    if (line)
      QCOMPARE(ds.FieldByName("SIRANO")->AsInteger(), line);
  }

  void cursorAndLocate()
  {
    ClientDataSet ds;
    ds.CopyFromTable(basket({0, 1, 0, 1}));
    QCOMPARE(ds.RecNo(), 1);
    QVERIFY(ds.Bof());
    ds.Next();
    ds.Next();
    QCOMPARE(ds.RecNo(), 3);
    ds.Last();
    ds.Next();
    QVERIFY(ds.Eof());
    QCOMPARE(ds.RecNo(), 4);
    QVERIFY(ds.Locate("SIRANO", 20));
    QCOMPARE(ds.RecNo(), 2);
    QVERIFY(ds.Locate("SIRANO", QStringLiteral("30"))); // a number given as text
    QCOMPARE(ds.RecNo(), 3);
    QVERIFY(ds.Locate("STOKADI", QStringLiteral("parça 4"), {true, false}));
    QCOMPARE(ds.RecNo(), 4);
    QVERIFY(!ds.Locate("STOKADI", QStringLiteral("parça 4")));
    QVERIFY(ds.Locate("STOKADI", QStringLiteral("Parça"), {false, true}));
    QCOMPARE(ds.RecNo(), 1);
    QVERIFY(!ds.Locate("YOK", 1));
    QCOMPARE(ds.RecNo(), 1);
  }

  void editPostAndCancel()
  {
    ClientDataSet ds;
    ds.CopyFromTable(basket({0, 0}));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, ds.FieldByName("SEC")->SetAsInteger(1));
    ds.Edit();
    ds.FieldByName("SEC")->SetAsInteger(1);
    QCOMPARE(ds.FieldByName("SEC")->AsInteger(), 1); // the edit buffer is read while editing
    ds.Cancel();
    QCOMPARE(ds.FieldByName("SEC")->AsInteger(), 0);
    ds.Edit();
    ds.FieldByName("SEC")->SetAsInteger(1);
    ds.Post();
    QCOMPARE(ds.FieldByName("SEC")->AsInteger(), 1);
    ds.Append();
    ds.FieldByName("SIRANO")->SetAsInteger(99);
    ds.Post();
    QCOMPARE(ds.RecordCount(), 3);
    QCOMPARE(ds.RecNo(), 3);
    ds.Delete();
    QCOMPARE(ds.RecordCount(), 2);
  }

  void disabledControlsHearNothingUntilEnabled()
  {
    ClientDataSet ds;
    Counter counter;
    ds.AddObserver(&counter);
    ds.DisableControls();
    ds.DisableControls();
    ds.CopyFromTable(basket({0, 1}));
    ds.Next();
    ds.EnableControls();
    QCOMPARE(counter.resets + counter.cursor, 0);
    ds.EnableControls();
    QCOMPARE(counter.resets, 1);
    ds.Next();
    QCOMPARE(counter.cursor, 1);
    ds.RemoveObserver(&counter);
    ds.First();
    QCOMPARE(counter.cursor, 1);
  }

  void aNewLoadReplacesTheStructure()
  {
    ClientDataSet ds;
    ds.CopyFromTable(basket({0}));
    ParaBicimiUygula(ds);
    wire::TableMap other;
    other.columns = {{"KOD", ColumnType::Text}};
    other.rows = {{QStringLiteral("A")}, {QVariant()}};
    ds.SetData(std::move(other));
    QCOMPARE(ds.FieldCount(), 1);
    QVERIFY(!ds.FindField("FIYAT"));
    ds.Next();
    QVERIFY(ds.FieldByName("KOD")->IsNull());
    QCOMPARE(ds.FieldByName("KOD")->DisplayText(), QString());
  }
};

QTEST_APPLESS_MAIN(TestDataSet)
#include "tst_dataset.moc"
