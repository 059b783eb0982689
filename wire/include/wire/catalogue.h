#pragma once
// The server methods both sides agree on: name, parameters in declared order
// (inputs and outputs), result kind. The client class is written against it
// and the server checks every call against it.

#include "wire/value.h"

#include <QList>
#include <QString>

#include <optional>

namespace wire {

struct MethodParam {
  QString name;
  ValueKind kind;
  QString className; // for objects: the transfer class, e.g. "TSonucBilgisi"
  bool out = false;
};

struct MethodSignature {
  QString name;                    // e.g. "SepetEkle2"
  QList<MethodParam> params;       // declared order
  std::optional<ValueKind> result; // none for a method without a result
  QString resultClass;             // for object results
  bool recordSet = false;          // a table result is a record set (else a data packet)

  QList<MethodParam> inputs() const;
  QList<MethodParam> outputs() const;
};

// Command texts are this prefix followed by the method name.
inline const QString kCommandPrefix = QStringLiteral("TServerMethods1.");

const QList<MethodSignature> &methodCatalogue();
const MethodSignature *findMethod(const QString &name);

} // namespace wire
