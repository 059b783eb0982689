#pragma once
// The data grid every list window uses: a read-only table bound to a client
// dataset through a column table.
//
//   DataGrid grid;
//   grid.setColumns({
//       {.field = "BARKOD", .caption = "Barkod", .weight = 2, .kind = CellKind::WrappedText},
//       {.field = "DURUM", .caption = "Depo1", .kind = CellKind::StatusIcon},
//       {.name = "FIYATBILGISI", .caption = "Fiyat Bilgisi", .kind = CellKind::OwnerDrawn,
//        .text = [&](int row) { return ...; }},
//   });
//   grid.setDataSet(&dataSet);            // binds; the grid follows the dataset's changes
//   grid.detach(); ... grid.attach();     // while a worker refills the dataset
//
// What it offers: whole-row selection, incremental search by typing (in the
// focused column), a filter button in each header section (a menu of the
// column's values), the column chooser (right click on the header: the offered
// columns), sorting by a click on a header, a footer row with a record count
// and sums, fixed row heights, the weighted column widths (kolongenislik.h) or
// best fit, and locking the view while it is changed.
//
// The grid keeps the focused row and the dataset's cursor together: a row the
// user focuses becomes the current record, and a dataset that moves (Locate,
// First, ...) moves the focus, as long as the dataset's controls are enabled.

#include <QStringList>
#include <QWidget>

#include <functional>

class ClientDataSet;
class DataGridModel;
class DataGridFooter;
class DataGridProxy;
class DataGridView;
class QPainter;
class QStyleOptionViewItem;
class QTableView;

enum class CellKind {
  Text,          // plain text, left-aligned (numbers right-aligned)
  WrappedText,   // text wrapped over the row height
  Money,         // the field's display text, right-aligned
  Centered,      // text, centred
  StatusIcon,    // stock status 0..5 as the legend's icons, centred
  YesNoIcon,     // 0 "no" icon, 1 "yes" icon
  YesIcon,       // 1 "yes" icon, anything else nothing
  PictureMarker, // 1 shows the picture marker, anything else nothing
  StoreIcon,     // "VAR" / "YOK" of the second store
  CheckBox,      // 1 checked, 0 unchecked
  OwnerDrawn,    // text from `text`, drawn right-aligned with wrap and 10 px margins
};

enum class FooterKind { None, Count, Sum };

struct GridColumn {
  QString name;        // key for lookups; the field name when empty
  QString field;       // dataset field; empty for a column the program fills (OwnerDrawn)
  QString caption;     // header text; the field name when empty
  bool shown = true;   // visible
  bool offered = true; // listed in the column chooser
  int weight = 1;      // width weight of the weighted rule
  CellKind kind = CellKind::Text;
  FooterKind footer = FooterKind::None;
  bool searchable = true;               // takes part in incremental search
  std::function<QString(int row)> text; // OwnerDrawn: the cell text of a dataset row

  QString key() const { return name.isEmpty() ? field : name; }
  QString title() const { return caption.isEmpty() ? field : caption; }
};

class DataGrid : public QWidget {
  Q_OBJECT
public:
  explicit DataGrid(QWidget *parent = nullptr);
  ~DataGrid() override;

  void setColumns(const QList<GridColumn> &columns);
  const QList<GridColumn> &columns() const;
  // The column with this key, or null.
  const GridColumn *column(const QString &key) const;
  int columnIndex(const QString &key) const; // -1 when absent
  void setColumnShown(const QString &key, bool shown);
  void setColumnOffered(const QString &key, bool offered);
  bool isColumnShown(const QString &key) const;
  void setColumnWidth(const QString &key, int width);
  int columnWidth(const QString &key) const;

  // Binds the grid to a dataset (null unbinds). The dataset outlives the
  // binding.
  void setDataSet(ClientDataSet *dataSet);
  ClientDataSet *dataSet() const;
  // Detached, the grid shows no rows and reads nothing of the dataset, so a
  // worker may refill it; attach shows the dataset's content again.
  void detach();
  void attach();
  bool isAttached() const;
  // Locking stops repainting until the matching unlock (nesting counts).
  void lockView();
  void unlockView();

  // Focused row as a dataset row (0-based), -1 when none.
  int focusedRow() const;
  // Key of the focused column, empty when none.
  QString focusedColumn() const;
  // Focuses the row showing dataset row `row` (and scrolls to it).
  void focusRow(int row, const QString &columnKey = QString());
  // Rows shown after filtering.
  int visibleRowCount() const;

  // Filter of one column: only rows whose display text equals `value`;
  // clearFilter drops every column's filter.
  void setFilter(const QString &key, const QString &value);
  void clearFilter();
  bool isFiltered() const;

  void setRowHeight(int height);
  int rowHeight() const;
  void setHeaderHeight(int height);

  // Weighted widths over the visible columns for a grid of `gridWidth`
  // (see kolongenislik.h).
  void applyWeightedWidths(int gridWidth);
  // Every visible column fitted to its content.
  void bestFit();
  // The weighted rule when `width` is above the wide-screen limit, best fit
  // otherwise.
  void applyWidthRule(int width);

  // The footer's text under a column ("" when it has none).
  QString footerText(const QString &key) const;
  // For exports and tests: the shown columns in display order (indexes into
  // columns()), the dataset row shown at a position after filter and sort,
  // and a cell's value (raw; OwnerDrawn columns give their text) and text.
  QList<int> shownColumns() const;
  int rowAt(int shownRow) const;
  QVariant cellValue(int row, int column) const;
  QString cellText(int row, int column) const;
  bool isMoneyColumn(int column) const; // money kind or a float field with a display format

  QTableView *view() const;

signals:
  void focusedRowChanged(int row); // dataset row, -1 when none
  void rowDoubleClicked(int row, const QString &columnKey);
  void contextMenuRequested(const QPoint &globalPos);
  void resized();

protected:
  void resizeEvent(QResizeEvent *event) override;

private:
  void showFilterMenu(int section);
  void showColumnChooser(const QPoint &globalPos);
  void syncCursorToFocus();
  void applyHidden();

  DataGridModel *model_;
  DataGridProxy *proxy_;
  DataGridView *view_;
  DataGridFooter *footer_;
  int locks_ = 0;
  bool syncing_ = false;
};
