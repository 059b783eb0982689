#pragma once
// Forward-only reader over a record set returned by a server method.

#include <wire/tablemap.h>

#include <QVariant>

class ClientDataSet;

class DBXReader {
public:
  explicit DBXReader(wire::TableMap table) : table_(std::move(table)) {}

  // Moves to the next row; false after the last one.
  bool Next()
  {
    if (row_ + 1 >= table_.rows.size()) {
      row_ = table_.rows.size();
      return false;
    }
    ++row_;
    return true;
  }
  int ColumnCount() const { return int(table_.columns.size()); }
  QString ColumnName(int index) const { return table_.columns.at(index).name; }
  wire::ColumnType ColumnType(int index) const { return table_.columns.at(index).type; }
  // The cell of the current row; null (invalid) before the first Next().
  QVariant Value(int index) const
  {
    return row_ >= 0 && row_ < table_.rows.size() ? table_.rows.at(row_).at(index) : QVariant();
  }
  QVariant Value(const QString &column) const { return Value(table_.columnIndex(column)); }
  qsizetype RowCount() const { return table_.rows.size(); }

  const wire::TableMap &table() const { return table_; }

private:
  wire::TableMap table_;
  qsizetype row_ = -1;
};
