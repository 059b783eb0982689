#include "data/clientdataset.h"

#include "ui/common/formats.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <stdexcept>

namespace {
const QVariant kNull;
}

// ---- Field ----

const QString &Field::FieldName() const
{
  return dataSet_.defs_[size_t(index_)].column.name;
}
wire::ColumnType Field::DataType() const
{
  return dataSet_.defs_[size_t(index_)].column.type;
}
int Field::Size() const
{
  return dataSet_.defs_[size_t(index_)].column.size;
}
const QString &Field::DisplayFormat() const
{
  return dataSet_.defs_[size_t(index_)].displayFormat;
}
void Field::SetDisplayFormat(const QString &format)
{
  dataSet_.defs_[size_t(index_)].displayFormat = format;
}

QVariant Field::Value() const
{
  return dataSet_.currentValue(index_);
}
bool Field::IsNull() const
{
  return !dataSet_.currentValue(index_).isValid();
}
int Field::AsInteger() const
{
  return dataSet_.currentValue(index_).toInt();
}
double Field::AsFloat() const
{
  return dataSet_.currentValue(index_).toDouble();
}
bool Field::AsBoolean() const
{
  return dataSet_.currentValue(index_).toBool();
}

QString Field::AsString() const
{
  const QVariant &v = dataSet_.currentValue(index_);
  if (!v.isValid())
    return {};
  switch (DataType()) {
  case wire::ColumnType::Double:
    return QString::number(v.toDouble(), 'g', 15);
  case wire::ColumnType::Date:
    return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
  case wire::ColumnType::DateTime:
    return v.toDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
  default:
    return v.toString();
  }
}

QString Field::DisplayText() const
{
  return ClientDataSet::formatValue(dataSet_.currentValue(index_), DataType(), DisplayFormat());
}

void Field::SetValue(const QVariant &value)
{
  if (dataSet_.state_ != ClientDataSet::State::Edit && dataSet_.state_ != ClientDataSet::State::Insert)
    throw std::logic_error("the dataset is not in edit or insert state");
  dataSet_.buffer_[index_] = value;
}

// ---- ClientDataSet ----

void ClientDataSet::CopyFromTable(const wire::TableMap &table)
{
  wire::TableMap copy = table;
  CopyFromTable(std::move(copy));
}

void ClientDataSet::CopyFromTable(wire::TableMap &&table)
{
  defs_.clear();
  for (wire::Column &column : table.columns)
    defs_.push_back({std::move(column), QString()});
  rows_ = std::move(table.rows);
  rebuildFields();
  state_ = State::Browse;
  buffer_.clear();
  First();
  notify(DataSetObserver::Change::Reset);
}

void ClientDataSet::rebuildFields()
{
  fields_.clear();
  fields_.reserve(defs_.size());
  for (int i = 0; i < int(defs_.size()); ++i)
    fields_.push_back(std::make_unique<Field>(*this, i));
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

Field *ClientDataSet::FindField(const QString &name) const
{
  for (const auto &field : fields_)
    if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
      return field.get();
  return nullptr;
}

Field *ClientDataSet::FieldByName(const QString &name) const
{
  Field *field = FindField(name);
  if (!field)
    throw std::out_of_range(("field not found: " + name).toStdString());
  return field;
}

void ClientDataSet::SetRecNo(int recNo)
{
  if (rows_.isEmpty())
    return;
  current_ = std::clamp(recNo - 1, 0, int(rows_.size()) - 1);
  bof_ = eof_ = false;
  notify(DataSetObserver::Change::Cursor);
}

void ClientDataSet::First()
{
  current_ = 0;
  bof_ = true;
  eof_ = rows_.isEmpty();
  notify(DataSetObserver::Change::Cursor);
}

void ClientDataSet::Last()
{
  current_ = std::max(0, int(rows_.size()) - 1);
  eof_ = true;
  bof_ = rows_.isEmpty();
  notify(DataSetObserver::Change::Cursor);
}

void ClientDataSet::Next()
{
  bof_ = false;
  if (current_ + 1 < rows_.size())
    ++current_;
  else
    eof_ = true; // stays on the last record, past the end
  notify(DataSetObserver::Change::Cursor);
}

void ClientDataSet::Prior()
{
  eof_ = false;
  if (current_ > 0)
    --current_;
  else
    bof_ = true;
  notify(DataSetObserver::Change::Cursor);
}

bool ClientDataSet::Locate(const QString &fieldName, const QVariant &value, LocateOptions options)
{
  const Field *field = FindField(fieldName);
  if (!field)
    return false;
  const int index = field->Index();
  const wire::ColumnType type = field->DataType();
  const bool numeric =
      type == wire::ColumnType::Int32 || type == wire::ColumnType::Int64 || type == wire::ColumnType::Double;
  const Qt::CaseSensitivity cs = options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
  bool valueIsNumber = false;
  const double number = value.toDouble(&valueIsNumber);
  for (int row = 0; row < rows_.size(); ++row) {
    const QVariant &cell = rows_[row][index];
    bool match = false;
    if (!cell.isValid() || !value.isValid()) {
      match = !cell.isValid() && !value.isValid();
    } else if (numeric) {
      match = valueIsNumber && cell.toDouble() == number;
    } else if (type == wire::ColumnType::Text) {
      const QString text = cell.toString();
      match = options.partialKey ? text.startsWith(value.toString(), cs)
                                 : text.compare(value.toString(), cs) == 0;
    } else {
      match = cell == value;
    }
    if (match) {
      current_ = row;
      bof_ = eof_ = false;
      notify(DataSetObserver::Change::Cursor);
      return true;
    }
  }
  return false;
}

void ClientDataSet::Edit()
{
  if (state_ == State::Inactive || rows_.isEmpty())
    throw std::logic_error("cannot edit: the dataset has no current record");
  if (state_ == State::Edit || state_ == State::Insert)
    return;
  buffer_ = rows_[current_];
  state_ = State::Edit;
}

void ClientDataSet::Append()
{
  if (state_ == State::Inactive)
    throw std::logic_error("cannot append: the dataset is closed");
  buffer_ = wire::Row(qsizetype(defs_.size()));
  state_ = State::Insert;
}

void ClientDataSet::Post()
{
  if (state_ == State::Edit) {
    rows_[current_] = buffer_;
  } else if (state_ == State::Insert) {
    rows_.append(buffer_);
    current_ = int(rows_.size()) - 1;
    bof_ = eof_ = false;
  } else {
    return;
  }
  state_ = State::Browse;
  buffer_.clear();
  notify(DataSetObserver::Change::Values);
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
  if (state_ == State::Inactive || rows_.isEmpty())
    return;
  Cancel();
  rows_.removeAt(current_);
  if (current_ >= rows_.size())
    current_ = std::max(0, int(rows_.size()) - 1);
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
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void ClientDataSet::RemoveObserver(DataSetObserver *observer)
{
  std::erase(observers_, observer);
}

void ClientDataSet::notify(DataSetObserver::Change change)
{
  if (disabled_ > 0)
    return;
  const auto observers = observers_; // an observer may remove itself
  for (DataSetObserver *o : observers)
    o->dataSetChanged(*this, change);
}

const QVariant &ClientDataSet::currentValue(int field) const
{
  if (state_ == State::Edit || state_ == State::Insert)
    return buffer_.at(field);
  if (rows_.isEmpty() || field < 0 || field >= int(defs_.size()))
    return kNull;
  return rows_.at(current_).at(field);
}

QString ClientDataSet::CellText(int row, int field) const
{
  return formatValue(rows_.at(row).at(field), defs_[size_t(field)].column.type,
                     defs_[size_t(field)].displayFormat);
}

QString ClientDataSet::formatValue(const QVariant &value, wire::ColumnType type, const QString &format)
{
  if (!value.isValid())
    return {};
  const QLocale locale;
  switch (type) {
  case wire::ColumnType::Double:
    return format.isEmpty() ? locale.toString(value.toDouble(), 'g', 15)
                            : FormatFloat(format, value.toDouble(), locale);
  case wire::ColumnType::Int32:
  case wire::ColumnType::Int64:
    return locale.toString(value.toLongLong());
  case wire::ColumnType::Date:
    return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
  case wire::ColumnType::DateTime:
    return value.toDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
  case wire::ColumnType::Bool:
    return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
  case wire::ColumnType::Bytes:
    return QStringLiteral("(BLOB)");
  case wire::ColumnType::Text:
    return value.toString();
  }
  return value.toString();
}

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
  Field *sec = dataSet.FindField(QStringLiteral("SEC"));
  dataSet.First();
  while (!dataSet.Eof() && !(sec && sec->AsInteger() == 1))
    dataSet.Next();
  return true;
}
