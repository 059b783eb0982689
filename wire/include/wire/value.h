#pragma once
// Helpers for the CBOR values that carry server method parameters and results.

#include <QByteArray>
#include <QCborValue>
#include <QDateTime>
#include <QString>

namespace wire {

// CBOR tag for a text string holding JSON (objects, JSON arrays).
inline constexpr quint64 kEmbeddedJsonTag = 262;

QCborValue embedJson(const QByteArray &jsonText);
// True when `value` is a tag-262 text; its JSON text goes to `jsonText`.
bool extractJson(const QCborValue &value, QByteArray *jsonText);

// The kinds a server method parameter or result can have.
enum class ValueKind { Text, Int32, Int64, Double, Bool, Object, JsonArray, Bytes, Table };

QString kindName(ValueKind kind);
// Whether `value` is acceptable for `kind`. Objects may be null; doubles accept
// integers; 32-bit integers must fit.
bool matchesKind(const QCborValue &value, ValueKind kind);

// Dates travel as OLE Automation day numbers: days since 1899-12-30, the time
// of day as the fraction.
double toOleDate(const QDateTime &dateTime);
QDateTime fromOleDate(double days);

} // namespace wire
