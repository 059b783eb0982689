#pragma once
// Record sets and data packets travel as table maps:
//   {"columns": [{"name": ..., "type": ..., "size": n}], "rows": [[...], ...]}

#include <QCborValue>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace wire {

enum class ColumnType { Int32, Int64, Double, Text, Bool, Date, DateTime, Bytes };

QString columnTypeName(ColumnType type);
std::optional<ColumnType> columnTypeFromName(const QString &name);

struct Column {
  QString name;
  ColumnType type = ColumnType::Text;
  int size = 0; // characters, for text columns; 0 when not given
};

// Cells hold: int (Int32), qlonglong (Int64), double, QString, bool, QDate,
// QDateTime (wall-clock, no zone), QByteArray; a null cell is an invalid QVariant.
using Row = QList<QVariant>;

struct TableMap {
  QList<Column> columns;
  QList<Row> rows;

  int columnIndex(const QString &name) const; // -1 when absent, case-insensitive

  QCborValue toCbor() const;
  // Validates every column and cell; a malformed table sets `error`.
  static std::optional<TableMap> fromCbor(const QCborValue &value, QString *error);
};

} // namespace wire
