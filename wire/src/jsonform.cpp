#include "wire/jsonform.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSet>

#include <cmath>
#include <limits>

namespace wire {

namespace {

void appendJsonString(QByteArray &out, const QString &text)
{
  out.append('"');
  const QByteArray utf8 = text.toUtf8();
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
    case '"':
      out.append("\\\"");
      break;
    case '\\':
      out.append("\\\\");
      break;
    case '\b':
      out.append("\\b");
      break;
    case '\f':
      out.append("\\f");
      break;
    case '\n':
      out.append("\\n");
      break;
    case '\r':
      out.append("\\r");
      break;
    case '\t':
      out.append("\\t");
      break;
    default:
      if (c < 0x20) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", c);
        out.append(buf);
      } else {
        out.append(ch);
      }
    }
  }
  out.append('"');
}

void appendDouble(QByteArray &out, double value)
{
  if (!std::isfinite(value)) {
    out.append("null"); // JSON has no NaN or infinity
    return;
  }
  out.append(QByteArray::number(value, 'g', QLocale::FloatingPointShortest));
}

class Writer final : public ConstFieldVisitor {
public:
  QByteArray out;

  void object(const TransferObject *object)
  {
    if (!object) {
      out.append("null");
      return;
    }
    out.append("{\"type\":");
    appendJsonString(out, object->typeName());
    const auto seen = ids_.constFind(object);
    if (seen != ids_.constEnd()) {
      out.append(",\"ref\":").append(QByteArray::number(*seen)).append('}');
      return;
    }
    const int id = ++lastId_;
    ids_.insert(object, id);
    out.append(",\"id\":").append(QByteArray::number(id)).append(",\"fields\":{");
    first_ = true;
    object->visitFields(*this);
    out.append("}}");
  }

  void field(const char *name, const QString &value) override
  {
    key(name);
    appendJsonString(out, value);
  }
  void field(const char *name, qint32 value) override
  {
    key(name);
    out.append(QByteArray::number(value));
  }
  void field(const char *name, double value) override
  {
    key(name);
    appendDouble(out, value);
  }
  void field(const char *name, bool value) override
  {
    key(name);
    out.append(value ? "true" : "false");
  }
  void field(const char *name, const ObjectArrayBase &value) override
  {
    key(name);
    out.append('[');
    for (qsizetype i = 0; i < value.count(); ++i) {
      if (i > 0)
        out.append(',');
      object(value.itemAt(i).get());
    }
    out.append(']');
    first_ = false;
  }

private:
  void key(const char *name)
  {
    if (!first_)
      out.append(',');
    first_ = false;
    out.append('"').append(name).append("\":");
  }

  QHash<const TransferObject *, int> ids_;
  int lastId_ = 0;
  bool first_ = true;
};

class Reader final : public FieldVisitor {
public:
  QString error;

  // Reads the outermost object form; a null value gives no object.
  std::unique_ptr<TransferObject> root(const QJsonValue &value, const QString &expectedType)
  {
    QString type;
    int id = 0;
    if (value.isNull() || !header(value, expectedType, &type, &id))
      return nullptr;
    if (id == 0) {
      fail(QStringLiteral("value: a reference cannot be the outermost object"));
      return nullptr;
    }
    std::unique_ptr<TransferObject> created = createTransferObject(type);
    if (!created) {
      fail(QStringLiteral("value: unknown class %1").arg(type));
      return nullptr;
    }
    // The root stays open while its fields are read, so no reference can reach
    // it; the non-owning entry only reserves its id.
    objects_.insert(id, std::shared_ptr<TransferObject>(created.get(), [](TransferObject *) {}));
    if (!fill(value.toObject(), created.get(), id))
      return nullptr;
    return created;
  }

  // Reads an object form met inside another object: a new object, or the
  // object an earlier id names.
  std::shared_ptr<TransferObject> nested(const QJsonValue &value, const QString &expectedType)
  {
    QString type;
    int id = 0;
    if (value.isNull() || !header(value, expectedType, &type, &id))
      return nullptr;
    if (id == 0) {
      const int ref = value.toObject().value(QLatin1String("ref")).toInt(-1);
      const auto found = objects_.constFind(ref);
      if (found == objects_.constEnd())
        return fail(QStringLiteral("%1: reference to unknown id %2").arg(path()).arg(ref));
      if (open_.contains(ref))
        return fail(QStringLiteral("%1: reference %2 to an enclosing object").arg(path()).arg(ref));
      if ((*found)->typeName() != type)
        return fail(QStringLiteral("%1: reference %2 is not a %3").arg(path()).arg(ref).arg(type));
      return *found;
    }
    std::shared_ptr<TransferObject> created(createTransferObject(type).release());
    if (!created)
      return fail(QStringLiteral("%1: unknown class %2").arg(path(), type));
    objects_.insert(id, created);
    if (!fill(value.toObject(), created.get(), id))
      return nullptr;
    return created;
  }

  void field(const char *name, QString &value) override
  {
    const QJsonValue v = fields_.value(QLatin1String(name));
    if (v.isUndefined())
      return;
    if (!v.isString())
      return setError(name, QStringLiteral("text"));
    value = v.toString();
  }
  void field(const char *name, qint32 &value) override
  {
    const QJsonValue v = fields_.value(QLatin1String(name));
    if (v.isUndefined())
      return;
    const double d = v.toDouble();
    if (!v.isDouble() || d != std::floor(d) || d < std::numeric_limits<qint32>::min() ||
        d > std::numeric_limits<qint32>::max())
      return setError(name, QStringLiteral("32-bit integer"));
    value = qint32(d);
  }
  void field(const char *name, double &value) override
  {
    const QJsonValue v = fields_.value(QLatin1String(name));
    if (v.isUndefined())
      return;
    if (v.isNull()) { // how a non-finite number is written
      value = std::numeric_limits<double>::quiet_NaN();
      return;
    }
    if (!v.isDouble())
      return setError(name, QStringLiteral("number"));
    value = v.toDouble();
  }
  void field(const char *name, bool &value) override
  {
    const QJsonValue v = fields_.value(QLatin1String(name));
    if (v.isUndefined())
      return;
    if (!v.isBool())
      return setError(name, QStringLiteral("boolean"));
    value = v.toBool();
  }
  void field(const char *name, ObjectArrayBase &value) override
  {
    const QJsonValue v = fields_.value(QLatin1String(name));
    if (v.isUndefined())
      return;
    if (!v.isArray())
      return setError(name, QStringLiteral("array"));
    value.clear();
    const QJsonArray items = v.toArray();
    const QString elementType = value.elementTypeName();
    const QJsonObject saved = fields_;
    for (qsizetype i = 0; i < items.size() && error.isEmpty(); ++i) {
      path_.append(QStringLiteral("%1[%2]").arg(QLatin1String(name)).arg(i));
      auto item = nested(items.at(i), elementType);
      path_.removeLast();
      if (error.isEmpty())
        value.append(item);
    }
    fields_ = saved;
  }

private:
  // Checks "type" and "id"; a reference gives id 0.
  bool header(const QJsonValue &value, const QString &expectedType, QString *type, int *id)
  {
    if (!value.isObject()) {
      fail(QStringLiteral("%1: an object or null was expected").arg(path()));
      return false;
    }
    const QJsonObject json = value.toObject();
    *type = json.value(QLatin1String("type")).toString();
    if (type->isEmpty()) {
      fail(QStringLiteral("%1: the object has no \"type\"").arg(path()));
      return false;
    }
    if (!expectedType.isEmpty() && *type != expectedType) {
      fail(QStringLiteral("%1: %2 was expected, not %3").arg(path(), expectedType, *type));
      return false;
    }
    if (json.contains(QLatin1String("ref"))) {
      *id = 0;
      return true;
    }
    const QJsonValue idValue = json.value(QLatin1String("id"));
    const double idNumber = idValue.toDouble(-1);
    if (!idValue.isDouble() || idNumber < 1 || idNumber != std::floor(idNumber) || idNumber > 1e9) {
      fail(QStringLiteral("%1: the object has no valid \"id\"").arg(path()));
      return false;
    }
    *id = int(idNumber);
    if (objects_.contains(*id)) {
      fail(QStringLiteral("%1: id %2 occurs twice").arg(path()).arg(*id));
      return false;
    }
    if (!json.value(QLatin1String("fields")).isObject()) {
      fail(QStringLiteral("%1: the object has no \"fields\"").arg(path()));
      return false;
    }
    return true;
  }

  bool fill(const QJsonObject &json, TransferObject *object, int id)
  {
    if (path_.size() > 64) {
      fail(QStringLiteral("%1: objects nested too deeply").arg(path()));
      return false;
    }
    open_.insert(id);
    const QJsonObject saved = fields_;
    fields_ = json.value(QLatin1String("fields")).toObject();
    path_.append(object->typeName());
    object->visitFields(*this);
    path_.removeLast();
    fields_ = saved;
    open_.remove(id);
    return error.isEmpty();
  }

  std::shared_ptr<TransferObject> fail(const QString &text)
  {
    if (error.isEmpty())
      error = text;
    return nullptr;
  }
  void setError(const char *name, const QString &kind)
  {
    fail(QStringLiteral("%1.%2: a %3 was expected").arg(path(), QLatin1String(name), kind));
  }
  QString path() const { return path_.isEmpty() ? QStringLiteral("value") : path_.join(QLatin1Char('.')); }

  QHash<int, std::shared_ptr<TransferObject>> objects_;
  QSet<int> open_;
  QJsonObject fields_;
  QStringList path_;
};

} // namespace

QByteArray toJson(const TransferObject *object)
{
  Writer writer;
  writer.object(object);
  return writer.out;
}

JsonReadResult readJson(const QByteArray &text, const QString &expectedType)
{
  JsonReadResult result;
  const QByteArray trimmed = text.trimmed();
  if (trimmed == "null")
    return result;
  QJsonParseError parseError;
  const QJsonDocument document = QJsonDocument::fromJson(trimmed, &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    result.error = QStringLiteral("invalid JSON: %1").arg(parseError.errorString());
    return result;
  }
  if (!document.isObject()) {
    result.error = QStringLiteral("an object or null was expected");
    return result;
  }
  Reader reader;
  result.object = reader.root(document.object(), expectedType);
  if (!reader.error.isEmpty()) {
    result.error = reader.error;
    result.object.reset();
  }
  return result;
}

} // namespace wire
