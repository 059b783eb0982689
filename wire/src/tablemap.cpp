#include "wire/tablemap.h"

#include <QCborArray>
#include <QCborMap>
#include <QDate>
#include <QDateTime>

#include <array>
#include <limits>

namespace wire {

namespace {
constexpr std::array<std::pair<ColumnType, const char *>, 8> kTypeNames{{
    {ColumnType::Int32, "int32"},
    {ColumnType::Int64, "int64"},
    {ColumnType::Double, "double"},
    {ColumnType::Text, "text"},
    {ColumnType::Bool, "bool"},
    {ColumnType::Date, "date"},
    {ColumnType::DateTime, "datetime"},
    {ColumnType::Bytes, "bytes"},
}};

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kDateTimeFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

QCborValue cellToCbor(const QVariant &cell, ColumnType type)
{
  if (!cell.isValid() || cell.isNull())
    return QCborValue(QCborValue::Null);
  switch (type) {
  case ColumnType::Int32:
  case ColumnType::Int64:
    return QCborValue(cell.toLongLong());
  case ColumnType::Double:
    return QCborValue(cell.toDouble());
  case ColumnType::Text:
    return QCborValue(cell.toString());
  case ColumnType::Bool:
    return QCborValue(cell.toBool());
  case ColumnType::Date:
    return QCborValue(cell.toDate().toString(kDateFormat));
  case ColumnType::DateTime:
    return QCborValue(cell.toDateTime().toString(kDateTimeFormat));
  case ColumnType::Bytes:
    return QCborValue(cell.toByteArray());
  }
  return QCborValue(QCborValue::Null);
}

// Returns false when the cell does not have its column's type.
bool cellFromCbor(const QCborValue &value, ColumnType type, QVariant *out)
{
  if (value.isNull()) {
    *out = QVariant();
    return true;
  }
  switch (type) {
  case ColumnType::Int32:
    if (!value.isInteger() || value.toInteger() < std::numeric_limits<qint32>::min() ||
        value.toInteger() > std::numeric_limits<qint32>::max())
      return false;
    *out = int(value.toInteger());
    return true;
  case ColumnType::Int64:
    if (!value.isInteger())
      return false;
    *out = qlonglong(value.toInteger());
    return true;
  case ColumnType::Double:
    if (!value.isDouble() && !value.isInteger())
      return false;
    *out = value.toDouble();
    return true;
  case ColumnType::Text:
    if (!value.isString())
      return false;
    *out = value.toString();
    return true;
  case ColumnType::Bool:
    if (!value.isBool())
      return false;
    *out = value.toBool();
    return true;
  case ColumnType::Date: {
    const QDate date = QDate::fromString(value.toString(), kDateFormat);
    if (!value.isString() || !date.isValid())
      return false;
    *out = date;
    return true;
  }
  case ColumnType::DateTime: {
    QDateTime dateTime = QDateTime::fromString(value.toString(), kDateTimeFormat);
    if (!value.isString() || !dateTime.isValid())
      return false;
    *out = dateTime;
    return true;
  }
  case ColumnType::Bytes:
    if (!value.isByteArray())
      return false;
    *out = value.toByteArray();
    return true;
  }
  return false;
}
} // namespace

QString columnTypeName(ColumnType type)
{
  for (const auto &[t, name] : kTypeNames)
    if (t == type)
      return QString::fromLatin1(name);
  return {};
}

std::optional<ColumnType> columnTypeFromName(const QString &name)
{
  for (const auto &[t, n] : kTypeNames)
    if (name == QLatin1String(n))
      return t;
  return std::nullopt;
}

int TableMap::columnIndex(const QString &name) const
{
  for (int i = 0; i < columns.size(); ++i)
    if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

QCborValue TableMap::toCbor() const
{
  QCborArray cols;
  for (const Column &c : columns) {
    QCborMap m;
    m.insert(QStringLiteral("name"), c.name);
    m.insert(QStringLiteral("type"), columnTypeName(c.type));
    if (c.type == ColumnType::Text && c.size > 0)
      m.insert(QStringLiteral("size"), c.size);
    cols.append(m);
  }
  QCborArray rowArray;
  for (const Row &row : rows) {
    QCborArray r;
    for (int i = 0; i < columns.size(); ++i)
      r.append(cellToCbor(i < row.size() ? row[i] : QVariant(), columns[i].type));
    rowArray.append(r);
  }
  QCborMap map;
  map.insert(QStringLiteral("columns"), cols);
  map.insert(QStringLiteral("rows"), rowArray);
  return map;
}

std::optional<TableMap> TableMap::fromCbor(const QCborValue &value, QString *error)
{
  auto fail = [error](const QString &text) {
    if (error)
      *error = text;
    return std::nullopt;
  };
  if (!value.isMap())
    return fail(QStringLiteral("table is not a map"));
  const QCborMap map = value.toMap();
  const QCborValue cols = map.value(QStringLiteral("columns"));
  const QCborValue rowsValue = map.value(QStringLiteral("rows"));
  if (!cols.isArray() || !rowsValue.isArray())
    return fail(QStringLiteral("table needs the arrays \"columns\" and \"rows\""));
  TableMap table;
  for (const QCborValue &c : cols.toArray()) {
    const QCborMap cm = c.toMap();
    const QCborValue name = cm.value(QStringLiteral("name"));
    const auto type = columnTypeFromName(cm.value(QStringLiteral("type")).toString());
    if (!c.isMap() || !name.isString() || name.toString().isEmpty() || !type)
      return fail(QStringLiteral("column %1 lacks a name or a known type").arg(table.columns.size()));
    const QCborValue size = cm.value(QStringLiteral("size"));
    if (!size.isUndefined() && (!size.isInteger() || size.toInteger() < 0 || size.toInteger() > (1 << 30)))
      return fail(QStringLiteral("column %1 has a bad size").arg(name.toString()));
    table.columns.append(Column{name.toString(), *type, int(size.toInteger(0))});
  }
  const QCborArray rows = rowsValue.toArray();
  table.rows.reserve(rows.size());
  for (qsizetype r = 0; r < rows.size(); ++r) {
    const QCborValue rowValue = rows.at(r);
    if (!rowValue.isArray() || rowValue.toArray().size() != table.columns.size())
      return fail(QStringLiteral("row %1 does not have %2 cells").arg(r).arg(table.columns.size()));
    const QCborArray cells = rowValue.toArray();
    Row row;
    row.resize(cells.size());
    for (qsizetype i = 0; i < cells.size(); ++i) {
      if (!cellFromCbor(cells.at(i), table.columns[i].type, &row[i]))
        return fail(QStringLiteral("row %1, column %2: not a value of type %3")
                        .arg(r)
                        .arg(table.columns[i].name, columnTypeName(table.columns[i].type)));
    }
    table.rows.append(std::move(row));
  }
  return table;
}

} // namespace wire
