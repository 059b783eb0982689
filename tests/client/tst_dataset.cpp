#include "data/clientdataset.h"

#include <QtTest>

using wire::ColumnType;

namespace {

// A basket: line number, selection mark, name, quantity, price.
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
    t.rows.append({n * 10, mark, QStringLiteral("Parça %1").arg(n), n * 12345, 1234.5 * n});
  }
  return t;
}

struct Recorder : DataSetObserver {
  QList<Change> changes;
  void dataSetChanged(ClientDataSet &, Change c) override { changes << c; }
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
    QCOMPARE(ds.FieldByName("FIYAT")->DisplayFormat(), "#,###,##0.00");
    QCOMPARE(ds.FieldByName("FIYAT")->DisplayText(), "1.234,50");
    QVERIFY(ds.FieldByName("ADET")->DisplayFormat().isEmpty());
    QCOMPARE(ds.FieldByName("ADET")->DisplayText(), "12345");
    QVERIFY(ds.FieldByName("STOKADI")->DisplayFormat().isEmpty());
    QCOMPARE(ds.FieldByName("adet")->AsInteger(), 12345); // names are case-insensitive
  }

  void textForms_data()
  {
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("asString");
    QTest::addColumn<QString>("display");
    const auto i = [](ColumnType t) { return int(t); };
    QTest::newRow("float, plain") << i(ColumnType::Double) << QVariant(1234.5) << ""
                                  << "1234,5"
                                  << "1234,5";
    QTest::newRow("float, money") << i(ColumnType::Double) << QVariant(-0.125) << "#,###,##0.00"
                                  << "-0,125"
                                  << "-0,13";
    QTest::newRow("integer, money") << i(ColumnType::Int32) << QVariant(1500) << "#,###,##0.00"
                                    << "1500"
                                    << "1.500,00";
    QTest::newRow("large integer") << i(ColumnType::Int64) << QVariant(qlonglong(9007199254740993)) << ""
                                   << "9007199254740993"
                                   << "9007199254740993";
    QTest::newRow("date") << i(ColumnType::Date) << QVariant(QDate(2024, 3, 5)) << ""
                          << "05.03.2024"
                          << "05.03.2024";
    QTest::newRow("midnight") << i(ColumnType::DateTime)
                              << QVariant(QDateTime(QDate(2024, 3, 5), QTime(0, 0))) << ""
                              << "05.03.2024"
                              << "05.03.2024";
    QTest::newRow("date and time") << i(ColumnType::DateTime)
                                   << QVariant(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))) << ""
                                   << "05.03.2024 14:07:09"
                                   << "05.03.2024 14:07:09";
    QTest::newRow("boolean") << i(ColumnType::Bool) << QVariant(true) << ""
                             << "True"
                             << "True";
    QTest::newRow("null") << i(ColumnType::Double) << QVariant() << "#,###,##0.00"
                          << ""
                          << "";
  }
  void textForms()
  {
    QFETCH(int, type);
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(QString, asString);
    QFETCH(QString, display);
    wire::TableMap t;
    t.columns = {{"X", ColumnType(type)}};
    t.rows = {{value}};
    ClientDataSet ds;
    ds.CopyFromTable(std::move(t));
    ds.FieldByName("X")->SetDisplayFormat(format);
    QCOMPARE(ds.FieldByName("X")->AsString(), asString);
    QCOMPARE(ds.FieldByName("X")->DisplayText(), display);
    QCOMPARE(ds.CellText(0, 0), display);
  }

  void kayitVarmi()
  {
    ClientDataSet ds;
    QVERIFY(!KayitVarmi(ds));
    ds.CopyFromTable(basket({}));
    QVERIFY(ds.Active());
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
    QTest::newRow("nothing marked: past the end") << QList<int>{0, 0, 0} << true << true << 30;
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
    ds.Last();
    QCOMPARE(SeciliSatiraGit(ds), result);
    QCOMPARE(ds.Eof(), eof);
    if (line)
      QCOMPARE(ds.FieldByName("SIRANO")->AsInteger(), line);
  }

  void cursor()
  {
    ClientDataSet ds;
    ds.CopyFromTable(basket({0, 1, 0, 1}));
    QCOMPARE(ds.RecNo(), 1);
    QVERIFY(ds.Bof() && !ds.Eof());
    ds.Prior();
    QVERIFY(ds.Bof());
    QCOMPARE(ds.RecNo(), 1);
    ds.Next();
    ds.Next();
    QCOMPARE(ds.RecNo(), 3);
    QVERIFY(!ds.Bof() && !ds.Eof());
    ds.Last();
    QVERIFY(ds.Eof());
    ds.Next();
    QVERIFY(ds.Eof());
    QCOMPARE(ds.FieldByName("SIRANO")->AsInteger(), 40); // past the end stays on the last row
    ds.SetRecNo(2);
    QCOMPARE(ds.FieldByName("SIRANO")->AsInteger(), 20);
    ds.SetRecNo(99);
    QCOMPARE(ds.RecNo(), 4);

    ClientDataSet empty;
    empty.CopyFromTable(basket({}));
    empty.Next();
    QVERIFY(empty.Bof() && empty.Eof());
    QCOMPARE(empty.RecNo(), 0);
    QVERIFY(empty.FieldByName("SIRANO")->IsNull());
  }

  void locate_data()
  {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("key");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<bool>("partial");
    QTest::addColumn<int>("recNo"); // 0: not found, the cursor stays on row 2
    QTest::newRow("integer") << "SIRANO" << QVariant(30) << false << false << 3;
    QTest::newRow("integer given as text") << "sirano" << QVariant("40") << false << false << 4;
    QTest::newRow("float") << "FIYAT" << QVariant(1234.5) << false << false << 1;
    QTest::newRow("no fraction of an integer") << "SIRANO" << QVariant(29.6) << false << false << 0;
    QTest::newRow("not a number") << "SIRANO" << QVariant("otuz") << false << false << 0;
    QTest::newRow("text, exact case") << "STOKADI" << QVariant("Parça 3") << false << false << 3;
    QTest::newRow("text, other case") << "STOKADI" << QVariant("parça 3") << false << false << 0;
    QTest::newRow("text, case-insensitive") << "STOKADI" << QVariant("PARÇA 3") << true << false << 3;
    QTest::newRow("text, prefix") << "STOKADI" << QVariant("Parça") << false << true << 1;
    QTest::newRow("text, prefix without the option") << "STOKADI" << QVariant("Parça") << false << false << 0;
    QTest::newRow("unknown field") << "YOK" << QVariant(1) << false << false << 0;
  }
  void locate()
  {
    QFETCH(QString, field);
    QFETCH(QVariant, key);
    QFETCH(bool, caseInsensitive);
    QFETCH(bool, partial);
    QFETCH(int, recNo);
    ClientDataSet ds;
    ds.CopyFromTable(basket({0, 0, 0, 0}));
    ds.SetRecNo(2);
    QCOMPARE(ds.Locate(field, key, {caseInsensitive, partial}), recNo != 0);
    QCOMPARE(ds.RecNo(), recNo ? recNo : 2);
  }

  void editPostAndCancel()
  {
    ClientDataSet ds;
    ds.CopyFromTable(basket({0, 0}));
    QVERIFY_THROWS_EXCEPTION(DataSetError, ds.FieldByName("SEC")->SetAsInteger(1)); // not editing
    ds.Edit();
    ds.FieldByName("SEC")->SetAsInteger(1);
    QCOMPARE(ds.FieldByName("SEC")->AsInteger(), 1); // the edit buffer is read while editing
    QCOMPARE(ds.CellValue(0, 1).toInt(), 0);         // the row only on Post
    ds.Cancel();
    QCOMPARE(ds.FieldByName("SEC")->AsInteger(), 0);
    ds.Edit();
    ds.FieldByName("SEC")->SetAsInteger(1);
    ds.Post();
    QCOMPARE(ds.GetState(), ClientDataSet::State::Browse);
    QCOMPARE(ds.FieldByName("SEC")->AsInteger(), 1);
    ds.Append();
    ds.FieldByName("SIRANO")->SetAsInteger(99);
    QCOMPARE(ds.RecordCount(), 2);
    ds.Post();
    QCOMPARE(ds.RecordCount(), 3);
    QCOMPARE(ds.RecNo(), 3);
    QVERIFY(ds.FieldByName("FIYAT")->IsNull());
    ds.Delete();
    QCOMPARE(ds.RecordCount(), 2);
    QCOMPARE(ds.RecNo(), 2);
  }

  // Moving while editing posts the edit to the row it was made on.
  void movingPostsThePendingEdit()
  {
    ClientDataSet ds;
    ds.CopyFromTable(basket({0, 0, 0}));
    ds.Edit();
    ds.FieldByName("SEC")->SetAsInteger(1);
    ds.Next();
    QCOMPARE(ds.GetState(), ClientDataSet::State::Browse);
    QCOMPARE(ds.CellValue(0, 1).toInt(), 1);
    QCOMPARE(ds.CellValue(1, 1).toInt(), 0);
    ds.Edit();
    ds.FieldByName("ADET")->SetAsInteger(7);
    QVERIFY(ds.Locate("SIRANO", 30));
    QCOMPARE(ds.CellValue(1, 3).toInt(), 7);
    QCOMPARE(ds.CellValue(2, 3).toInt(), 3 * 12345);
  }

  void deletingWhileAppendingDropsOnlyTheNewRow()
  {
    ClientDataSet ds;
    ds.CopyFromTable(basket({0, 0}));
    ds.Append();
    ds.Delete();
    QCOMPARE(ds.RecordCount(), 2);
    QCOMPARE(ds.GetState(), ClientDataSet::State::Browse);
  }

  void editingAnEmptyDataSetAppends()
  {
    ClientDataSet ds;
    QVERIFY_THROWS_EXCEPTION(DataSetError, ds.Edit()); // closed
    ds.CopyFromTable(basket({}));
    ds.Edit();
    QCOMPARE(ds.GetState(), ClientDataSet::State::Insert);
    ds.FieldByName("SIRANO")->SetAsInteger(5);
    ds.Post();
    QCOMPARE(ds.RecordCount(), 1);
    QCOMPARE(ds.FieldByName("SIRANO")->AsInteger(), 5);
  }

  void settingConvertsToTheFieldType_data()
  {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("text to integer") << "ADET" << QVariant(" 12 ") << false << QVariant(12);
    QTest::newRow("float to integer rounds") << "ADET" << QVariant(2.5) << false << QVariant(3);
    QTest::newRow("empty text clears a number") << "ADET" << QVariant("") << false << QVariant();
    QTest::newRow("not a number") << "ADET" << QVariant("on iki") << true << QVariant();
    QTest::newRow("integer out of range") << "ADET" << QVariant(qlonglong(1) << 40) << true << QVariant();
    QTest::newRow("text with the locale's separators")
        << "FIYAT" << QVariant("1.234,5") << false << QVariant(1234.5);
    QTest::newRow("integer to float") << "FIYAT" << QVariant(7) << false << QVariant(7.0);
    QTest::newRow("number to text") << "STOKADI" << QVariant(42) << false << QVariant("42");
  }
  void settingConvertsToTheFieldType()
  {
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(bool, refused);
    QFETCH(QVariant, stored);
    ClientDataSet ds;
    ds.CopyFromTable(basket({0}));
    ds.Edit();
    Field *f = ds.FieldByName(field);
    const QVariant before = f->Value();
    if (refused) {
      QVERIFY_THROWS_EXCEPTION(DataSetError, f->SetValue(value));
      QCOMPARE(f->Value(), before); // the edit buffer keeps its value
      return;
    }
    f->SetValue(value);
    ds.Post();
    QCOMPARE(ds.CellValue(0, f->Index()), stored);
  }

  void unknownFieldIsAnError()
  {
    ClientDataSet ds;
    ds.CopyFromTable(basket({0}));
    QVERIFY(!ds.FindField("YOK"));
    QVERIFY_THROWS_EXCEPTION(DataSetError, ds.FieldByName("YOK"));
  }

  void controlsDisabledHearNothingUntilTheOutermostEnable()
  {
    ClientDataSet ds;
    Recorder recorder;
    ds.AddObserver(&recorder);
    ds.DisableControls();
    ds.DisableControls();
    QVERIFY(ds.ControlsDisabled());
    ds.CopyFromTable(basket({0, 1}));
    ds.Next();
    ds.EnableControls();
    QVERIFY(ds.ControlsDisabled());
    QVERIFY(recorder.changes.isEmpty());
    ds.EnableControls();
    QVERIFY(!ds.ControlsDisabled());
    QCOMPARE(recorder.changes, QList<DataSetObserver::Change>{DataSetObserver::Change::Reset});
    ds.EnableControls(); // unbalanced: ignored
    QVERIFY(!ds.ControlsDisabled());

    recorder.changes.clear();
    ds.First();
    ds.Edit();
    ds.FieldByName("SEC")->SetAsInteger(1);
    ds.Post();
    ds.Append();
    ds.Post();
    QCOMPARE(recorder.changes,
             (QList<DataSetObserver::Change>{DataSetObserver::Change::Cursor, DataSetObserver::Change::Values,
                                             DataSetObserver::Change::Reset}));
    ds.RemoveObserver(&recorder);
    ds.First();
    QCOMPARE(recorder.changes.size(), 3);
  }

  void copyAndDataPacketReplaceTheStructure()
  {
    const wire::TableMap source = basket({0, 1});
    ClientDataSet copied, assigned;
    copied.CopyFromTable(source);
    assigned.SetData(source);
    for (ClientDataSet *ds : {&copied, &assigned}) {
      QCOMPARE(ds->FieldCount(), 5);
      QCOMPARE(ds->RecordCount(), 2);
      QCOMPARE(ds->RecNo(), 1);
      QCOMPARE(ds->FieldByName("FIYAT")->DataType(), ColumnType::Double);
      QCOMPARE(ds->FieldByName("STOKADI")->Size(), 50);
    }

    // Editing the dataset leaves the caller's table alone.
    copied.Edit();
    copied.FieldByName("STOKADI")->SetAsString("Değişti");
    copied.Post();
    QCOMPARE(source.rows.at(0).at(2).toString(), "Parça 1");

    // A new load replaces fields, rows and display formats.
    ParaBicimiUygula(assigned);
    Field *price = assigned.FieldByName("FIYAT");
    wire::TableMap other;
    other.columns = {{"KOD", ColumnType::Text}, {"FIYAT", ColumnType::Double}};
    other.rows = {{QStringLiteral("A"), 1.0}};
    assigned.SetData(std::move(other));
    QCOMPARE(assigned.FieldCount(), 2);
    QVERIFY(!assigned.FindField("SIRANO"));
    QVERIFY(assigned.FieldByName("FIYAT")->DisplayFormat().isEmpty());
    QVERIFY_THROWS_EXCEPTION(DataSetError, price->AsFloat()); // its column is gone
  }

  void raggedRowsAreEvenedOut()
  {
    wire::TableMap t;
    t.columns = {{"A", ColumnType::Int32}, {"B", ColumnType::Text}};
    t.rows = {{1}, {2, QStringLiteral("b"), QStringLiteral("extra")}, {}};
    ClientDataSet ds;
    ds.CopyFromTable(t);
    QCOMPARE(ds.RecordCount(), 3);
    QVERIFY(ds.FieldByName("B")->IsNull());
    ds.Next();
    QCOMPARE(ds.FieldByName("B")->AsString(), "b");
    ds.Next();
    QVERIFY(ds.FieldByName("A")->IsNull());
    QCOMPARE(ds.CellText(2, 1), QString());
  }

  void closeAndEmpty()
  {
    ClientDataSet ds;
    ds.CopyFromTable(basket({0, 1}));
    ds.Edit();
    ds.EmptyDataSet();
    QVERIFY(ds.Active());
    QCOMPARE(ds.GetState(), ClientDataSet::State::Browse);
    QCOMPARE(ds.RecordCount(), 0);
    ds.Close();
    QVERIFY(!ds.Active());
    QCOMPARE(ds.FieldCount(), 5);
    QVERIFY(ds.FieldByName("SIRANO")->IsNull());
    QVERIFY_THROWS_EXCEPTION(DataSetError, ds.Append());
  }
};

QTEST_APPLESS_MAIN(TestDataSet)
#include "tst_dataset.moc"
