#pragma once
// The in-memory client dataset every list lives in: typed fields with display
// formats, rows filled whole from a record set or a data packet, a cursor,
// locate, edit and post, and bound controls that can be switched off while
// the dataset is refilled.
//
// Not thread-safe by design: one thread at a time works on a dataset. A
// worker may fill it while no control reads it (controls disabled or the
// grid detached); everything else happens on the user-interface thread.

#include <wire/tablemap.h>

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class ClientDataSet;

// One field of the dataset, read and written on the current row.
class Field {
public:
  Field(ClientDataSet &dataSet, int index) : dataSet_(dataSet), index_(index) {}

  const QString &FieldName() const;
  wire::ColumnType DataType() const;
  int Size() const;
  int Index() const { return index_; }
  // True for double-precision float fields only.
  bool IsFloat() const { return DataType() == wire::ColumnType::Double; }

  const QString &DisplayFormat() const;
  void SetDisplayFormat(const QString &format);

  QVariant Value() const;
  bool IsNull() const;
  int AsInteger() const;
  double AsFloat() const;
  QString AsString() const;
  bool AsBoolean() const;
  // The value as the grid shows it: the display format for numbers, the
  // locale's short forms for dates.
  QString DisplayText() const;

  // Writing needs the dataset in edit or insert state.
  void SetValue(const QVariant &value);
  void SetAsInteger(int value) { SetValue(value); }
  void SetAsFloat(double value) { SetValue(value); }
  void SetAsString(const QString &value) { SetValue(value); }

private:
  ClientDataSet &dataSet_;
  int index_;
};

// Receives notice of changes while the dataset's controls are enabled.
class DataSetObserver {
public:
  enum class Change { Reset, Values, Cursor };
  virtual ~DataSetObserver() = default;
  virtual void dataSetChanged(ClientDataSet &dataSet, Change change) = 0;
};

struct LocateOptions {
  bool caseInsensitive = false;
  bool partialKey = false; // text fields: the value is a prefix
};

class ClientDataSet {
public:
  enum class State { Inactive, Browse, Edit, Insert };

  ClientDataSet() = default;
  ClientDataSet(const ClientDataSet &) = delete;
  ClientDataSet &operator=(const ClientDataSet &) = delete;

  // Record set copy: the columns and types of the reader, then every row.
  void CopyFromTable(const wire::TableMap &table);
  void CopyFromTable(wire::TableMap &&table);
  // Data packet: assigned whole, structure included.
  void SetData(const wire::TableMap &table) { CopyFromTable(table); }
  void SetData(wire::TableMap &&table) { CopyFromTable(std::move(table)); }

  bool Active() const { return state_ != State::Inactive; }
  State GetState() const { return state_; }
  void Close();
  void EmptyDataSet(); // keeps the fields

  int FieldCount() const { return int(fields_.size()); }
  Field *Fields(int index) const { return fields_.at(size_t(index)).get(); }
  Field *FindField(const QString &name) const;   // null when absent (case-insensitive)
  Field *FieldByName(const QString &name) const; // raises std::out_of_range when absent

  int RecordCount() const { return int(rows_.size()); }
  // 1-based number of the current record; 0 when there is none.
  int RecNo() const { return rows_.isEmpty() ? 0 : current_ + 1; }
  void SetRecNo(int recNo);
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  void First();
  void Last();
  void Next();
  void Prior();
  bool Locate(const QString &fieldName, const QVariant &value, LocateOptions options = {});

  void Edit();
  void Append();
  void Post();
  void Cancel();
  void Delete();

  void DisableControls() { ++disabled_; }
  void EnableControls();
  bool ControlsDisabled() const { return disabled_ > 0; }

  void AddObserver(DataSetObserver *observer);
  void RemoveObserver(DataSetObserver *observer);

  // Direct access for views: the value of `field` in row `row` (0-based).
  const QVariant &CellValue(int row, int field) const { return rows_.at(row).at(field); }
  QString CellText(int row, int field) const;

private:
  friend class Field;
  struct FieldDef {
    wire::Column column;
    QString displayFormat;
  };

  void rebuildFields();
  void notify(DataSetObserver::Change change);
  const QVariant &currentValue(int field) const;
  static QString formatValue(const QVariant &value, wire::ColumnType type, const QString &format);

  std::vector<FieldDef> defs_;
  std::vector<std::unique_ptr<Field>> fields_;
  QList<wire::Row> rows_;
  int current_ = 0;
  bool bof_ = true;
  bool eof_ = true;
  State state_ = State::Inactive;
  wire::Row buffer_;
  int disabled_ = 0;
  std::vector<DataSetObserver *> observers_;
};

// The shared dataset helpers of the utility unit.

// Every double-precision float field (only those) gets the money format.
void ParaBicimiUygula(ClientDataSet &dataSet);
// Open and holding at least one row.
bool KayitVarmi(const ClientDataSet &dataSet);
// False when the dataset holds no rows; otherwise moves to the first row whose
// SEC is 1 (past the last row when none is) and returns true.
bool SeciliSatiraGit(ClientDataSet &dataSet);
