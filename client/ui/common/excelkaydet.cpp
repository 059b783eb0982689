#include "ui/common/excelkaydet.h"

#include "ui/common/excelyaz.h"
#include "widgets/datagrid.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {
KayitDialoguHook &hook()
{
  static KayitDialoguHook h;
  return h;
}
} // namespace

void SetKayitDialoguHook(KayitDialoguHook h)
{
  hook() = std::move(h);
}

ExcelTablo GridTablosu(const DataGrid &grid)
{
  ExcelTablo tablo;
  const QList<int> columns = grid.shownColumns();
  for (int c : columns)
    tablo.kolonlar.append(ExcelKolon{grid.columns().at(c).title(),
                                     grid.isMoneyColumn(c) ? QStringLiteral("#,##0.00") : QString()});
  const int rows = grid.visibleRowCount();
  tablo.satirlar.reserve(rows);
  for (int r = 0; r < rows; ++r) {
    const int row = grid.rowAt(r);
    QList<QVariant> cells;
    cells.reserve(columns.size());
    for (int c : columns)
      cells.append(grid.cellValue(row, c));
    tablo.satirlar.append(std::move(cells));
  }
  return tablo;
}

void ExcelKaydet(QWidget *parent, const DataGrid &grid)
{
  const QString filter = QStringLiteral("Excel (*.xls*)");
  QString name =
      hook() ? hook()(parent, filter) : QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
  if (name.isEmpty())
    return;
  if (QFileInfo(name).suffix().isEmpty())
    name += QStringLiteral(".xls");
  ExcelDosyasiYaz(name, GridTablosu(grid));
}
