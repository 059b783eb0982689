#include "wire/value.h"

#include <QJsonDocument>

#include <cmath>
#include <limits>

namespace wire {

QCborValue embedJson(const QByteArray &jsonText)
{
  return QCborValue(QCborTag(kEmbeddedJsonTag), QString::fromUtf8(jsonText));
}

bool extractJson(const QCborValue &value, QByteArray *jsonText)
{
  if (!value.isTag() || value.tag() != QCborTag(kEmbeddedJsonTag))
    return false;
  const QCborValue inner = value.taggedValue();
  if (!inner.isString())
    return false;
  if (jsonText)
    *jsonText = inner.toString().toUtf8();
  return true;
}

QString kindName(ValueKind kind)
{
  switch (kind) {
  case ValueKind::Text:
    return QStringLiteral("text");
  case ValueKind::Int32:
    return QStringLiteral("int32");
  case ValueKind::Int64:
    return QStringLiteral("int64");
  case ValueKind::Double:
    return QStringLiteral("double");
  case ValueKind::Bool:
    return QStringLiteral("bool");
  case ValueKind::Object:
    return QStringLiteral("object");
  case ValueKind::JsonArray:
    return QStringLiteral("JSON array");
  case ValueKind::Bytes:
    return QStringLiteral("byte stream");
  case ValueKind::Table:
    return QStringLiteral("table");
  }
  return {};
}

bool matchesKind(const QCborValue &value, ValueKind kind)
{
  switch (kind) {
  case ValueKind::Text:
    return value.isString();
  case ValueKind::Int32:
    return value.isInteger() && value.toInteger() >= std::numeric_limits<qint32>::min() &&
           value.toInteger() <= std::numeric_limits<qint32>::max();
  case ValueKind::Int64:
    return value.isInteger();
  case ValueKind::Double:
    return value.isDouble() || value.isInteger();
  case ValueKind::Bool:
    return value.isBool();
  case ValueKind::Object:
  case ValueKind::JsonArray:
    return value.isNull() || extractJson(value, nullptr);
  case ValueKind::Bytes:
    return value.isByteArray();
  case ValueKind::Table:
    return value.isMap();
  }
  return false;
}

static const QDateTime &oleEpoch()
{
  static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
  return epoch;
}

double toOleDate(const QDateTime &dateTime)
{
  // Wall-clock time, no zone: read the local fields as if they were UTC.
  const QDateTime wall(dateTime.date(), dateTime.time(), Qt::UTC);
  const qint64 ms = oleEpoch().msecsTo(wall);
  const double days = std::floor(double(ms) / 86400000.0);
  const double fraction = double(ms - qint64(days) * 86400000) / 86400000.0;
  // Before the epoch the fraction still counts forward from midnight, written
  // with the sign of the day part (-1.25 is 1899-12-29 06:00).
  return days < 0 ? days - fraction : days + fraction;
}

QDateTime fromOleDate(double value)
{
  if (!std::isfinite(value))
    return {};
  const double dayPart = std::trunc(value);
  const double fraction = std::fabs(value - dayPart);
  const qint64 ms = qint64(dayPart) * 86400000 + qint64(std::llround(fraction * 86400000.0));
  const QDateTime utc = oleEpoch().addMSecs(ms);
  return QDateTime(utc.date(), utc.time());
}

} // namespace wire
