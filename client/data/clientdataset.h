#pragma once
// The in-memory client dataset every list lives in: typed fields with display
// formats, rows filled whole from a record set or a data packet, a cursor,
// locate, edit and post, and bound controls that can be switched off while
// the dataset is refilled.
//
// Not thread-safe by design: one thread at a time works on a dataset. A
// worker may fill it while no control reads it (controls disabled or the grid
// detached); everything else happens on the user-interface thread.

#include <wire/tablemap.h>

#include <QString>
#include <QVariant>

#include <memory>
#include <stdexcept>
#include <vector>

class ClientDataSet;
class QDateTime;

// Misuse that the dataset refuses: an unknown field name, writing a field
// outside edit mode, a value the field's type cannot hold, editing a closed
// dataset. The dataset is left as it was.
class DataSetError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// One field of the dataset, read and written on the current row. Owned by the
// dataset and alive as long as it is; after a load with fewer columns a field
// beyond them raises DataSetError when used.
class Field {
public:
  Field(const Field &) = delete;
  Field &operator=(const Field &) = delete;

  const QString &FieldName() const;
  wire::ColumnType DataType() const;
  int Size() const;
  int Index() const { return index_; }
  // True for double-precision float fields only.
  bool IsFloat() const { return DataType() == wire::ColumnType::Double; }

  // The number pattern (see FormatFloat) used by DisplayText for number
  // fields; empty for the plain form. Not used for other fields.
  const QString &DisplayFormat() const;
  void SetDisplayFormat(const QString &format);

  // Reading: the edit buffer while the dataset is being edited, otherwise
  // the current row; a null value when there is no current row.
  QVariant Value() const;
  bool IsNull() const;
  int AsInteger() const;
  qint64 AsLargeInt() const;
  double AsFloat() const;
  bool AsBoolean() const;
  QDateTime AsDateTime() const;
  // Numbers with the locale's decimal point and no grouping, dates as
  // dd.MM.yyyy (and HH:mm:ss when not midnight), booleans as True/False.
  QString AsString() const;
  // The value as a grid shows it: AsString, or for number fields with a
  // display format that format with the locale's separators.
  QString DisplayText() const;

  // Writing needs the dataset in edit or insert state. The value is converted
  // to the field's type (text with the locale's decimal point for floats; an
  // empty text clears a non-text field); DataSetError when it cannot be.
  void SetValue(const QVariant &value);
  void SetAsInteger(int value);
  void SetAsLargeInt(qint64 value);
  void SetAsFloat(double value);
  void SetAsString(const QString &value);
  void SetAsBoolean(bool value);
  void Clear();

private:
  friend class ClientDataSet;
  Field(ClientDataSet &dataSet, int index) : dataSet_(dataSet), index_(index) {}

  ClientDataSet &dataSet_;
  int index_;
};

// Hears of the dataset's changes while its controls are enabled. An observer
// removes itself (RemoveObserver) before it or the dataset goes away.
class DataSetObserver {
public:
  enum class Change {
    Reset,  // structure or rows changed: load, close, empty, append, delete, controls enabled again
    Values, // the current row's values changed (an edit was posted)
    Cursor, // the current row moved
  };
  virtual ~DataSetObserver() = default;
  virtual void dataSetChanged(ClientDataSet &dataSet, Change change) = 0;
};

struct LocateOptions {
  bool caseInsensitive = false; // text fields
  bool partialKey = false;      // text fields: the value is a prefix
};

class ClientDataSet {
public:
  enum class State { Inactive, Browse, Edit, Insert };

  ClientDataSet() = default;
  ~ClientDataSet();
  ClientDataSet(const ClientDataSet &) = delete;
  ClientDataSet &operator=(const ClientDataSet &) = delete;

  // Record-set copy: the fields become the reader's columns with their types,
  // then every row follows in order; the cursor is on the first row. Display
  // formats are reset. A row with too few cells gets null cells, extra cells
  // are dropped. The moving form takes the rows over without copying.
  void CopyFromTable(const wire::TableMap &table);
  void CopyFromTable(wire::TableMap &&table);
  // Data packet: assigned whole, structure included (same effect as the copy).
  void SetData(const wire::TableMap &table) { CopyFromTable(table); }
  void SetData(wire::TableMap &&table) { CopyFromTable(std::move(table)); }

  bool Active() const { return state_ != State::Inactive; }
  State GetState() const { return state_; }
  // Drops the rows and any pending edit; the fields stay.
  void Close();
  // Drops the rows and any pending edit; stays open.
  void EmptyDataSet();

  int FieldCount() const { return int(defs_.size()); }
  Field *Fields(int index) const;                // DataSetError when out of range
  Field *FindField(const QString &name) const;   // case-insensitive; null when absent
  Field *FieldByName(const QString &name) const; // case-insensitive; DataSetError when absent

  int RecordCount() const { return int(rows_.size()); }
  // 1-based number of the current row; 0 when there is none.
  int RecNo() const { return rows_.isEmpty() ? 0 : current_ + 1; }
  // Moves to row `recNo`, clamped to the rows there are.
  void SetRecNo(int recNo);
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  // Moving posts a pending edit first. Next on the last row sets Eof and
  // stays there; Prior on the first sets Bof. First sets Bof, Last sets Eof.
  void First();
  void Last();
  void Next();
  void Prior();
  // Moves to the first row whose field equals `value` (numbers by value,
  // also when given as text); the cursor stays when none does.
  bool Locate(const QString &fieldName, const QVariant &value, LocateOptions options = {});

  // Starts editing the current row (on an empty dataset: appends a row).
  void Edit();
  // Starts a new row that Post adds at the end (a pending edit is posted first).
  void Append();
  // Writes the edit buffer; nothing when not editing.
  void Post();
  // Drops the edit buffer.
  void Cancel();
  // Removes the current row; while appending only drops the new row.
  void Delete();

  // Nesting: observers hear nothing until the outermost EnableControls, which
  // sends one Reset.
  void DisableControls() { ++disabled_; }
  void EnableControls();
  bool ControlsDisabled() const { return disabled_ > 0; }

  void AddObserver(DataSetObserver *observer);
  void RemoveObserver(DataSetObserver *observer);

  // Direct access for views, independent of the cursor: row and field 0-based
  // and in range.
  const QVariant &CellValue(int row, int field) const { return rows_.at(row).at(field); }
  QString CellText(int row, int field) const;

private:
  friend class Field;
  struct FieldDef {
    wire::Column column;
    QString displayFormat;
  };

  const FieldDef &defAt(int index) const; // DataSetError for a retired field
  FieldDef &defAt(int index);
  void takeTable(wire::TableMap &&table);
  void checkBrowseMode();
  void moveTo(int row, bool bof, bool eof);
  void notify(DataSetObserver::Change change);
  const QVariant &currentValue(int field) const;
  void setBufferValue(int field, const QVariant &value);

  std::vector<FieldDef> defs_;
  std::vector<std::unique_ptr<Field>> fields_; // never shrinks, see Field
  QList<wire::Row> rows_;
  int current_ = 0;
  bool bof_ = true;
  bool eof_ = true;
  State state_ = State::Inactive;
  wire::Row buffer_;
  int disabled_ = 0;
  std::vector<DataSetObserver *> observers_;
};

// Every double-precision float field (only those) gets the money format.
void ParaBicimiUygula(ClientDataSet &dataSet);
// Open and holding at least one row.
bool KayitVarmi(const ClientDataSet &dataSet);
// False when KayitVarmi is false. Otherwise moves to the first row whose SEC
// is 1, or past the last row (Eof) when none is, and returns true.
bool SeciliSatiraGit(ClientDataSet &dataSet);
