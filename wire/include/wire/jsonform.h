#pragma once
// The JSON object form of transfer objects:
//   {"type": "<unit>.<class>", "id": n, "fields": {"F<name>": value, ...}}
// ids count up from 1 through nested objects; an object met again within the
// same value is written as {"type": ..., "ref": id}; a missing object is null.

#include "wire/transfer.h"

#include <QByteArray>

#include <memory>

namespace wire {

// Compact JSON text of `object` with "type", "id", "fields" in that order and
// fields in declared order; "null" for no object.
QByteArray toJson(const TransferObject *object);

struct JsonReadResult {
  std::unique_ptr<TransferObject> object; // null for a JSON null
  QString error;                          // set when the text is not a valid object form
  bool ok() const { return error.isEmpty(); }
};

// Reads the object form. `expectedType` (when not empty) is the class the
// caller needs; any other class is an error. Unknown fields are ignored and
// missing ones keep their defaults; a field of the wrong kind is an error.
JsonReadResult readJson(const QByteArray &text, const QString &expectedType = {});

template <class T> std::unique_ptr<T> fromJson(const QByteArray &text, QString *error)
{
  JsonReadResult result = readJson(text, T().typeName());
  if (!result.ok()) {
    if (error)
      *error = result.error;
    return nullptr;
  }
  return std::unique_ptr<T>(static_cast<T *>(result.object.release()));
}

} // namespace wire
