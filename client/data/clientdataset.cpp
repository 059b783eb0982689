#include "data/clientdataset.h"

#include "ui/common/formats.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

using wire::ColumnType;

namespace {

const QVariant kNull;
const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
const QString kDateTimeFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");

bool isNumber(ColumnType type)
{
  return type == ColumnType::Int32 || type == ColumnType::Int64 || type == ColumnType::Double;
}

bool isNull(const QVariant &value)
{
  return !value.isValid() || value.isNull();
}

QDateTime parseDateTime(const QString &text)
{
  for (const QString &format : {kDateTimeFormat, kDateFormat, QStringLiteral("dd.MM.yyyy HH:mm")}) {
    const QDateTime parsed = QDateTime::fromString(text, format);
    if (parsed.isValid())
      return parsed;
  }
  return QDateTime::fromString(text, Qt::ISODate);
}

[[noreturn]] void conversionFailed(const QVariant &value, const QString &fieldName)
{
  throw DataSetError(QStringLiteral("'%1' is not a valid value for the field %2")
                         .arg(value.toString(), fieldName)
                         .toStdString());
}

// `value` as a cell of a field of `type`; DataSetError when it cannot be one.
QVariant convertTo(const QVariant &value, ColumnType type, const QString &fieldName)
{
  if (isNull(value))
    return {};
  const int id = value.metaType().id();
  const bool text = id == QMetaType::QString;
  const QString trimmed = text ? value.toString().trimmed() : QString();
  if (text && type != ColumnType::Text && trimmed.isEmpty())
    return {};

  switch (type) {
  case ColumnType::Int32:
  case ColumnType::Int64: {
    qint64 number = 0;
    bool ok = false;
    if (text) {
      number = trimmed.toLongLong(&ok);
    } else if (id == QMetaType::Double || id == QMetaType::Float) {
      const double d = value.toDouble();
      ok = std::isfinite(d) && std::fabs(d) < 9.2e18;
      number = ok ? qRound64(d) : 0;
    } else if (id == QMetaType::Bool) {
      number = value.toBool() ? 1 : 0;
      ok = true;
    } else {
      number = value.toLongLong(&ok);
    }
    if (!ok)
      conversionFailed(value, fieldName);
    if (type == ColumnType::Int64)
      return qlonglong(number);
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
      conversionFailed(value, fieldName);
    return int(number);
  }
  case ColumnType::Double: {
    bool ok = false;
    double number = 0;
    if (text) {
      number = QLocale().toDouble(trimmed, &ok);
      if (!ok)
        number = trimmed.toDouble(&ok);
    } else {
      number = value.toDouble(&ok);
    }
    if (!ok || !std::isfinite(number))
      conversionFailed(value, fieldName);
    return number;
  }
  case ColumnType::Text:
    return value.toString();
  case ColumnType::Bool: {
    if (id == QMetaType::Bool)
      return value;
    if (text) {
      if (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || trimmed == QLatin1String("1"))
        return true;
      if (trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || trimmed == QLatin1String("0"))
        return false;
      conversionFailed(value, fieldName);
    }
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok)
      conversionFailed(value, fieldName);
    return number != 0;
  }
  case ColumnType::Date: {
    QDate date;
    if (id == QMetaType::QDate)
      date = value.toDate();
    else if (id == QMetaType::QDateTime)
      date = value.toDateTime().date();
    else if (text)
      date = parseDateTime(trimmed).date();
    if (!date.isValid())
      conversionFailed(value, fieldName);
    return date;
  }
  case ColumnType::DateTime: {
    QDateTime dateTime;
    if (id == QMetaType::QDateTime)
      dateTime = value.toDateTime();
    else if (id == QMetaType::QDate)
      dateTime = value.toDate().startOfDay();
    else if (text)
      dateTime = parseDateTime(trimmed);
    if (!dateTime.isValid())
      conversionFailed(value, fieldName);
    return dateTime;
  }
  case ColumnType::Bytes:
    if (id == QMetaType::QByteArray)
      return value;
    if (text)
      return value.toString().toUtf8();
    conversionFailed(value, fieldName);
  }
  conversionFailed(value, fieldName);
}

QString asString(const QVariant &value, ColumnType type)
{
  if (isNull(value))
    return {};
  switch (type) {
  case ColumnType::Int32:
  case ColumnType::Int64:
    return QString::number(value.toLongLong());
  case ColumnType::Double:
    return FormatFloat(QString(), value.toDouble());
  case ColumnType::Bool:
    return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
  case ColumnType::Date:
    return value.toDate().toString(kDateFormat);
  case ColumnType::DateTime: {
    const QDateTime dateTime = value.toDateTime();
    return dateTime.time() == QTime(0, 0) ? dateTime.date().toString(kDateFormat)
                                          : dateTime.toString(kDateTimeFormat);
  }
  case ColumnType::Text:
  case ColumnType::Bytes:
    break;
  }
  return value.toString();
}

QString displayText(const QVariant &value, ColumnType type, const QString &format)
{
  if (isNull(value))
    return {};
  if (type == ColumnType::Bytes)
    return QStringLiteral("(BLOB)");
  if (isNumber(type) && !format.isEmpty())
    return FormatFloat(format, value.toDouble());
  return asString(value, type);
}

} // namespace

// ---- Field ----

const QString &Field::FieldName() const
{
  return dataSet_.defAt(index_).column.name;
}

ColumnType Field::DataType() const
{
  return dataSet_.defAt(index_).column.type;
}

int Field::Size() const
{
  return dataSet_.defAt(index_).column.size;
}

const QString &Field::DisplayFormat() const
{
  return dataSet_.defAt(index_).displayFormat;
}

void Field::SetDisplayFormat(const QString &format)
{
  dataSet_.defAt(index_).displayFormat = format;
}

QVariant Field::Value() const
{
  return dataSet_.currentValue(index_);
}

bool Field::IsNull() const
{
  return isNull(dataSet_.currentValue(index_));
}

int Field::AsInteger() const
{
  return dataSet_.currentValue(index_).toInt();
}

qint64 Field::AsLargeInt() const
{
  return dataSet_.currentValue(index_).toLongLong();
}

double Field::AsFloat() const
{
  return dataSet_.currentValue(index_).toDouble();
}

bool Field::AsBoolean() const
{
  return dataSet_.currentValue(index_).toBool();
}

QDateTime Field::AsDateTime() const
{
  const QVariant &value = dataSet_.currentValue(index_);
  switch (value.metaType().id()) {
  case QMetaType::QDate:
    return value.toDate().startOfDay();
  case QMetaType::QDateTime:
    return value.toDateTime();
  case QMetaType::QString:
    return parseDateTime(value.toString().trimmed());
  default:
    return {};
  }
}

QString Field::AsString() const
{
  return asString(dataSet_.currentValue(index_), DataType());
}

QString Field::DisplayText() const
{
  const ClientDataSet::FieldDef &def = dataSet_.defAt(index_);
  return displayText(dataSet_.currentValue(index_), def.column.type, def.displayFormat);
}

void Field::SetValue(const QVariant &value)
{
  dataSet_.setBufferValue(index_, value);
}

void Field::SetAsInteger(int value)
{
  SetValue(value);
}

void Field::SetAsLargeInt(qint64 value)
{
  SetValue(qlonglong(value));
}

void Field::SetAsFloat(double value)
{
  SetValue(value);
}

void Field::SetAsString(const QString &value)
{
  SetValue(value);
}

void Field::SetAsBoolean(bool value)
{
  SetValue(value);
}

void Field::Clear()
{
  SetValue(QVariant());
}

// ---- ClientDataSet ----

ClientDataSet::~ClientDataSet() = default;

const ClientDataSet::FieldDef &ClientDataSet::defAt(int index) const
{
  if (index < 0 || index >= int(defs_.size()))
    throw DataSetError("the field no longer belongs to the dataset");
  return defs_[size_t(index)];
}

ClientDataSet::FieldDef &ClientDataSet::defAt(int index)
{
  return const_cast<FieldDef &>(std::as_const(*this).defAt(index));
}

void ClientDataSet::CopyFromTable(const wire::TableMap &table)
{
  wire::TableMap copy = table; // shares the rows until one is changed
  takeTable(std::move(copy));
}

void ClientDataSet::CopyFromTable(wire::TableMap &&table)
{
  takeTable(std::move(table));
}

void ClientDataSet::takeTable(wire::TableMap &&table)
{
  defs_.clear();
  defs_.reserve(size_t(table.columns.size()));
  for (wire::Column &column : table.columns)
    defs_.push_back({std::move(column), QString()});
  while (fields_.size() < defs_.size())
    fields_.push_back(std::unique_ptr<Field>(new Field(*this, int(fields_.size()))));

  rows_ = std::move(table.rows);
  table.rows.clear();
  const qsizetype width = qsizetype(defs_.size());
  for (qsizetype i = 0; i < rows_.size(); ++i)
    if (std::as_const(rows_)[i].size() != width)
      rows_[i].resize(width);

  buffer_.clear();
  state_ = State::Browse;
  current_ = 0;
  bof_ = true;
  eof_ = rows_.isEmpty();
  notify(DataSetObserver::Change::Reset);
}

void ClientDataSet::Close()
{
  state_ = State::Inactive;
  rows_.clear();
  buffer_.clear();
  current_ = 0;
  bof_ = eof_ = true;
  notify(DataSetObserver::Change::Reset);
}

void ClientDataSet::EmptyDataSet()
{
  rows_.clear();
  buffer_.clear();
  if (state_ != State::Inactive)
    state_ = State::Browse;
  current_ = 0;
  bof_ = eof_ = true;
  notify(DataSetObserver::Change::Reset);
}

Field *ClientDataSet::Fields(int index) const
{
  defAt(index);
  return fields_[size_t(index)].get();
}

Field *ClientDataSet::FindField(const QString &name) const
{
  for (size_t i = 0; i < defs_.size(); ++i)
    if (defs_[i].column.name.compare(name, Qt::CaseInsensitive) == 0)
      return fields_[i].get();
  return nullptr;
}

Field *ClientDataSet::FieldByName(const QString &name) const
{
  Field *field = FindField(name);
  if (!field)
    throw DataSetError(QStringLiteral("Field '%1' not found").arg(name).toStdString());
  return field;
}

void ClientDataSet::checkBrowseMode()
{
  if (state_ == State::Edit || state_ == State::Insert)
    Post();
}

void ClientDataSet::moveTo(int row, bool bof, bool eof)
{
  const bool moved = row != current_;
  current_ = row;
  bof_ = bof || rows_.isEmpty();
  eof_ = eof || rows_.isEmpty();
  if (moved)
    notify(DataSetObserver::Change::Cursor);
}

void ClientDataSet::SetRecNo(int recNo)
{
  checkBrowseMode();
  if (rows_.isEmpty())
    return;
  moveTo(std::clamp(recNo - 1, 0, int(rows_.size()) - 1), false, false);
}

void ClientDataSet::First()
{
  checkBrowseMode();
  moveTo(0, true, false);
}

void ClientDataSet::Last()
{
  checkBrowseMode();
  moveTo(std::max(0, int(rows_.size()) - 1), false, true);
}

void ClientDataSet::Next()
{
  checkBrowseMode();
  if (current_ + 1 < rows_.size())
    moveTo(current_ + 1, false, false);
  else
    moveTo(current_, false, true); // stays on the last row, past the end
}

void ClientDataSet::Prior()
{
  checkBrowseMode();
  if (current_ > 0)
    moveTo(current_ - 1, false, false);
  else
    moveTo(current_, true, false);
}

bool ClientDataSet::Locate(const QString &fieldName, const QVariant &value, LocateOptions options)
{
  const Field *field = FindField(fieldName);
  if (!field)
    return false;
  checkBrowseMode();
  const int index = field->Index();
  const ColumnType type = field->DataType();

  // The key in the field's terms; a key that cannot be one matches nothing.
  double number = 0;
  QString text;
  QVariant key;
  if (!isNull(value)) {
    if (isNumber(type)) {
      bool ok = false;
      number = value.metaType().id() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok)
                                                           : value.toDouble(&ok);
      if (!ok)
        return false;
    } else if (type == ColumnType::Text) {
      text = value.toString();
    } else {
      try {
        key = convertTo(value, type, fieldName);
      } catch (const DataSetError &) {
        return false;
      }
    }
  }

  const Qt::CaseSensitivity cs = options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
  for (int row = 0; row < rows_.size(); ++row) {
    const QVariant &cell = rows_.at(row).at(index);
    bool match = false;
    if (isNull(cell) || isNull(value))
      match = isNull(cell) && isNull(value);
    else if (isNumber(type))
      match = cell.toDouble() == number;
    else if (type == ColumnType::Text)
      match =
          options.partialKey ? cell.toString().startsWith(text, cs) : cell.toString().compare(text, cs) == 0;
    else
      match = cell == key;
    if (match) {
      moveTo(row, false, false);
      return true;
    }
  }
  return false;
}

void ClientDataSet::Edit()
{
  if (state_ == State::Inactive)
    throw DataSetError("cannot edit a closed dataset");
  if (state_ == State::Edit || state_ == State::Insert)
    return;
  if (rows_.isEmpty()) {
    Append();
    return;
  }
  buffer_ = rows_.at(current_);
  state_ = State::Edit;
}

void ClientDataSet::Append()
{
  if (state_ == State::Inactive)
    throw DataSetError("cannot append to a closed dataset");
  checkBrowseMode();
  buffer_ = wire::Row(qsizetype(defs_.size()));
  state_ = State::Insert;
}

void ClientDataSet::Post()
{
  if (state_ == State::Edit) {
    rows_[current_] = std::move(buffer_);
    buffer_.clear();
    state_ = State::Browse;
    notify(DataSetObserver::Change::Values);
  } else if (state_ == State::Insert) {
    rows_.append(std::move(buffer_));
    buffer_.clear();
    state_ = State::Browse;
    current_ = int(rows_.size()) - 1;
    bof_ = eof_ = false;
    notify(DataSetObserver::Change::Reset);
  }
}

void ClientDataSet::Cancel()
{
  if (state_ == State::Edit || state_ == State::Insert) {
    state_ = State::Browse;
    buffer_.clear();
  }
}

void ClientDataSet::Delete()
{
  if (state_ == State::Insert) { // the new row was never added
    Cancel();
    return;
  }
  if (state_ == State::Inactive || rows_.isEmpty())
    return;
  Cancel();
  rows_.removeAt(current_);
  current_ = std::min(current_, std::max(0, int(rows_.size()) - 1));
  bof_ = eof_ = rows_.isEmpty();
  notify(DataSetObserver::Change::Reset);
}

void ClientDataSet::EnableControls()
{
  if (disabled_ == 0)
    return;
  if (--disabled_ == 0)
    notify(DataSetObserver::Change::Reset);
}

void ClientDataSet::AddObserver(DataSetObserver *observer)
{
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void ClientDataSet::RemoveObserver(DataSetObserver *observer)
{
  std::erase(observers_, observer);
}

void ClientDataSet::notify(DataSetObserver::Change change)
{
  if (disabled_ > 0 || observers_.empty())
    return;
  const auto observers = observers_; // an observer may add or remove observers
  for (DataSetObserver *observer : observers)
    if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end())
      observer->dataSetChanged(*this, change);
}

const QVariant &ClientDataSet::currentValue(int field) const
{
  defAt(field);
  if (state_ == State::Edit || state_ == State::Insert)
    return buffer_.at(field);
  if (rows_.isEmpty())
    return kNull;
  return rows_.at(current_).at(field);
}

void ClientDataSet::setBufferValue(int field, const QVariant &value)
{
  const FieldDef &def = defAt(field);
  if (state_ != State::Edit && state_ != State::Insert)
    throw DataSetError(
        QStringLiteral("the dataset is not in edit mode (field %1)").arg(def.column.name).toStdString());
  buffer_[field] = convertTo(value, def.column.type, def.column.name);
}

QString ClientDataSet::CellText(int row, int field) const
{
  const FieldDef &def = defAt(field);
  return displayText(rows_.at(row).at(field), def.column.type, def.displayFormat);
}

// ---- Shared dataset helpers ----

void ParaBicimiUygula(ClientDataSet &dataSet)
{
  for (int i = 0; i < dataSet.FieldCount(); ++i)
    if (dataSet.Fields(i)->IsFloat())
      dataSet.Fields(i)->SetDisplayFormat(kParaBicimi);
}

bool KayitVarmi(const ClientDataSet &dataSet)
{
  return dataSet.Active() && dataSet.RecordCount() > 0;
}

bool SeciliSatiraGit(ClientDataSet &dataSet)
{
  if (!KayitVarmi(dataSet))
    return false;
  const Field *sec = dataSet.FindField(QStringLiteral("SEC"));
  dataSet.First();
  while (!dataSet.Eof() && !(sec && sec->AsInteger() == 1))
    dataSet.Next();
  return true;
}
