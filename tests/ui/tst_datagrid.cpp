// The data grid over a client dataset: what it shows, its footer, filters,
// detaching while the dataset is refilled, the focus following the cursor
// and back, incremental search and the width rules.

#include "data/clientdataset.h"
#include "ui/common/formats.h"
#include "widgets/datagrid.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using wire::ColumnType;

namespace {

wire::TableMap parts(int count)
{
  wire::TableMap t;
  t.columns = {{"STOKNO", ColumnType::Int32}, {"ADI", ColumnType::Text, 60}, {"MARKA", ColumnType::Text, 20},
               {"FIYAT", ColumnType::Double}, {"DURUM", ColumnType::Int32},  {"SEC", ColumnType::Int32}};
  for (int n = 1; n <= count; ++n)
    t.rows.append({n, QStringLiteral("PARÇA %1").arg(n, 3, 10, QLatin1Char('0')),
                   n % 2 ? QStringLiteral("BOSCH") : QStringLiteral("VALEO"), 1000.25 * n, n % 6, n % 2});
  return t;
}

QList<GridColumn> columns()
{
  return {
      {.field = "STOKNO", .shown = false, .offered = false},
      {.field = "ADI",
       .caption = "Açıklama",
       .weight = 3,
       .kind = CellKind::WrappedText,
       .footer = FooterKind::Count},
      {.field = "MARKA", .caption = "Marka", .weight = 2},
      {.field = "FIYAT", .caption = "Fiyat", .weight = 2, .kind = CellKind::Money, .footer = FooterKind::Sum},
      {.field = "DURUM", .caption = "Depo1", .kind = CellKind::StatusIcon},
      {.field = "SEC", .caption = "Seç", .kind = CellKind::CheckBox, .searchable = false},
      {.name = "OZET", .caption = "Özet", .kind = CellKind::OwnerDrawn},
  };
}

} // namespace

class TestDataGrid : public QObject {
  Q_OBJECT

  ClientDataSet ds;
  std::unique_ptr<DataGrid> grid;

private slots:
  void init()
  {
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    ds.CopyFromTable(parts(10));
    ParaBicimiUygula(ds);
    grid = std::make_unique<DataGrid>();
    QList<GridColumn> cols = columns();
    cols.last().text = [this](int row) { return QStringLiteral("Fiyat: ") + ds.CellText(row, 3); };
    grid->setColumns(cols);
    grid->setDataSet(&ds);
    grid->resize(1000, 500);
  }
  void cleanup() { grid.reset(); }

  void showsTheColumnTable()
  {
    QCOMPARE(grid->view()->model()->rowCount(), 10);
    QVERIFY(!grid->isColumnShown("STOKNO"));
    QVERIFY(grid->isColumnShown("ADI"));
    QCOMPARE(grid->view()->model()->headerData(1, Qt::Horizontal).toString(), QString("Açıklama"));
    QCOMPARE(grid->view()->model()->headerData(0, Qt::Horizontal).toString(), QString("STOKNO"));
    QCOMPARE(grid->cellText(1, grid->columnIndex("FIYAT")), QString("2.000,50"));
    QCOMPARE(grid->cellValue(1, grid->columnIndex("FIYAT")).toDouble(), 2000.5);
    QCOMPARE(grid->cellText(0, grid->columnIndex("OZET")), QString("Fiyat: 1.000,25"));
    QVERIFY(grid->isMoneyColumn(grid->columnIndex("FIYAT")));
    QVERIFY(!grid->isMoneyColumn(grid->columnIndex("MARKA")));
  }

  void footerCountsAndSumsWhatTheFilterLeaves()
  {
    QCOMPARE(grid->footerText("ADI"), QString("10"));
    QCOMPARE(grid->footerText("FIYAT"), FormatFloat(kParaBicimi, 1000.25 * 55));
    grid->setFilter("MARKA", "BOSCH");
    QVERIFY(grid->isFiltered());
    QCOMPARE(grid->visibleRowCount(), 5);
    QCOMPARE(grid->footerText("ADI"), QString("5"));
    QCOMPARE(grid->footerText("FIYAT"), FormatFloat(kParaBicimi, 1000.25 * 25));
    grid->setFilter("DURUM", "1");        // icon columns filter on their value
    QCOMPARE(grid->visibleRowCount(), 2); // rows 1 and 7
    grid->clearFilter();
    QCOMPARE(grid->visibleRowCount(), 10);
  }

  void detachedGridReadsNothingWhileTheDataSetIsRefilled()
  {
    QSignalSpy resets(grid->view()->model(), &QAbstractItemModel::modelReset);
    grid->detach();
    QCOMPARE(grid->view()->model()->rowCount(), 0);
    const int before = resets.count();
    ds.CopyFromTable(parts(25));
    QCOMPARE(resets.count(), before); // no notification reached the view
    grid->attach();
    QCOMPARE(grid->view()->model()->rowCount(), 25);
    QCOMPARE(grid->footerText("ADI"), QString("25"));
  }

  void focusAndCursorFollowEachOther()
  {
    grid->focusRow(4);
    QCOMPARE(ds.RecNo(), 5);
    QVERIFY(ds.Locate("STOKNO", 8));
    QCOMPARE(grid->focusedRow(), 7);
    // While the controls are off (a loop over the rows) the focus stays.
    ds.DisableControls();
    ds.First();
    QCOMPARE(grid->focusedRow(), 7);
    ds.EnableControls();
  }

  void valueChangesRepaintAndUpdateTheFooter()
  {
    QVERIFY(ds.Locate("STOKNO", 1));
    ds.Edit();
    ds.FieldByName("FIYAT")->SetAsFloat(0);
    ds.Post();
    QCOMPARE(grid->footerText("FIYAT"), FormatFloat(kParaBicimi, 1000.25 * 54));
  }

  // A posted edit that takes the focused row out of the filter moves the
  // focus, but the dataset's cursor stays on the row just written: the
  // caller goes on reading that row's fields.
  void postThatLeavesTheFilterKeepsTheCursor()
  {
    grid->setFilter("SEC", "1");
    QVERIFY(ds.Locate("STOKNO", 3));
    QCOMPARE(grid->focusedRow(), 2);
    ds.Edit();
    ds.FieldByName("SEC")->SetAsInteger(0);
    ds.Post();
    QCOMPARE(grid->visibleRowCount(), 4);
    QCOMPARE(ds.RecNo(), 3);
    QCOMPARE(ds.FieldByName("STOKNO")->AsInteger(), 3);
  }

  void incrementalSearchUsesTheFocusedColumn()
  {
    grid->focusRow(0, "ADI");
    grid->view()->keyboardSearch("PARÇA 007");
    QCOMPARE(grid->focusedRow(), 6);
    grid->focusRow(0, "SEC");
    grid->view()->keyboardSearch("1");
    QCOMPARE(grid->focusedRow(), 0); // the check column takes no part
  }

  void sortingKeepsDataSetRowsAddressable()
  {
    const int price = grid->columnIndex("FIYAT");
    grid->view()->sortByColumn(price, Qt::DescendingOrder);
    QCOMPARE(grid->rowAt(0), 9);
    QCOMPARE(grid->cellValue(grid->rowAt(0), price).toDouble(), 10002.5);
    grid->view()->setCurrentIndex(grid->view()->model()->index(0, price));
    QCOMPARE(grid->focusedRow(), 9);
    QCOMPARE(ds.RecNo(), 10);
  }

  void doubleClickNamesRowAndColumn()
  {
    QSignalSpy spy(grid.get(), &DataGrid::rowDoubleClicked);
    grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
    const QModelIndex index = grid->view()->model()->index(2, grid->columnIndex("SEC"));
    const QRect rect = grid->view()->visualRect(index);
    QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 2);
    QCOMPARE(spy.at(0).at(1).toString(), QString("SEC"));
  }

  void weightedWidths()
  {
    grid->applyWeightedWidths(1230);
    // visible weights 3+2+2+1+1+1 = 10 → unit 120
    QCOMPARE(grid->columnWidth("ADI"), 360);
    QCOMPARE(grid->columnWidth("MARKA"), 240);
    QCOMPARE(grid->columnWidth("SEC"), 120);
    grid->setColumnShown("MARKA", false);
    grid->applyWeightedWidths(1230); // 8 → 150
    QCOMPARE(grid->columnWidth("ADI"), 450);
  }

  void emptyOrClosedDataSetShowsNothing()
  {
    ClientDataSet closed;
    grid->setDataSet(&closed);
    QCOMPARE(grid->view()->model()->rowCount(), 0);
    QCOMPARE(grid->focusedRow(), -1);
    QCOMPARE(grid->footerText("ADI"), QString("0"));
    grid->setDataSet(nullptr);
    QCOMPARE(grid->view()->model()->rowCount(), 0);
  }
};

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"
