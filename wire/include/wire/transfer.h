#pragma once
// Base of the transfer classes exchanged with the server as JSON objects.
//
// Each class lists its fields once in an X-macro; the macros below turn that
// list into the private `F` members, a getter and a setter per property, the
// field visitors the JSON form walks, and `Kopyala`.

#include <QString>

#include <memory>
#include <vector>

namespace wire {

class TransferObject;

// An array field holding transfer objects. Items are shared so that an object
// met twice in one value keeps its identity (written once, then as a ref).
class ObjectArrayBase {
public:
  virtual ~ObjectArrayBase() = default;
  virtual qsizetype count() const = 0;
  virtual std::shared_ptr<TransferObject> itemAt(qsizetype index) const = 0;
  virtual QString elementTypeName() const = 0;
  virtual std::shared_ptr<TransferObject> createElement() const = 0;
  virtual void clear() = 0;
  // False when `item` is not of the element class (null items are kept).
  virtual bool append(const std::shared_ptr<TransferObject> &item) = 0;
};

class FieldVisitor {
public:
  virtual ~FieldVisitor() = default;
  virtual void field(const char *name, QString &value) = 0;
  virtual void field(const char *name, qint32 &value) = 0;
  virtual void field(const char *name, double &value) = 0;
  virtual void field(const char *name, bool &value) = 0;
  virtual void field(const char *name, ObjectArrayBase &value) = 0;
};

class ConstFieldVisitor {
public:
  virtual ~ConstFieldVisitor() = default;
  virtual void field(const char *name, const QString &value) = 0;
  virtual void field(const char *name, qint32 value) = 0;
  virtual void field(const char *name, double value) = 0;
  virtual void field(const char *name, bool value) = 0;
  virtual void field(const char *name, const ObjectArrayBase &value) = 0;
};

class TransferObject {
public:
  virtual ~TransferObject() = default;
  // Unit-qualified class name, e.g. "baglantiu.TSonucBilgisi".
  virtual QString typeName() const = 0;
  virtual void visitFields(FieldVisitor &visitor) = 0;
  virtual void visitFields(ConstFieldVisitor &visitor) const = 0;
};

// Creates an empty object of a registered class; null for an unknown name.
std::unique_ptr<TransferObject> createTransferObject(const QString &typeName);

template <class T> class ObjectArray final : public ObjectArrayBase {
public:
  std::vector<std::shared_ptr<T>> items;

  qsizetype count() const override { return qsizetype(items.size()); }
  std::shared_ptr<TransferObject> itemAt(qsizetype index) const override { return items[size_t(index)]; }
  QString elementTypeName() const override { return T().typeName(); }
  std::shared_ptr<TransferObject> createElement() const override { return std::make_shared<T>(); }
  void clear() override { items.clear(); }
  bool append(const std::shared_ptr<TransferObject> &item) override
  {
    if (!item) {
      items.push_back(nullptr);
      return true;
    }
    auto typed = std::dynamic_pointer_cast<T>(item);
    if (!typed)
      return false;
    items.push_back(std::move(typed));
    return true;
  }
};

} // namespace wire

// X-macro helpers. A field list is written as
//   #define MY_FIELDS(X) X(QString, Name) X(qint32, Count) ...
#define WIRE_FIELD_MEMBER(Type, Name) Type F##Name{};
#define WIRE_FIELD_ACCESSORS(Type, Name)                                                                     \
  const Type &Name() const                                                                                   \
  {                                                                                                          \
    return F##Name;                                                                                          \
  }                                                                                                          \
  void Set##Name(const Type &value)                                                                          \
  {                                                                                                          \
    F##Name = value;                                                                                         \
  }
#define WIRE_FIELD_VISIT(Type, Name) visitor.field("F" #Name, F##Name);
#define WIRE_FIELD_COPY(Type, Name) Set##Name(source.Name());

// Declares the common members of a transfer class with field list `LIST`.
#define WIRE_TRANSFER_CLASS(Class, Unit, LIST)                                                               \
public:                                                                                                      \
  Class();                                                                                                   \
  QString typeName() const override                                                                          \
  {                                                                                                          \
    return QStringLiteral(#Unit "." #Class);                                                                 \
  }                                                                                                          \
  void visitFields(wire::FieldVisitor &visitor) override                                                     \
  {                                                                                                          \
    LIST(WIRE_FIELD_VISIT)                                                                                   \
  }                                                                                                          \
  void visitFields(wire::ConstFieldVisitor &visitor)                                                         \
      const override{LIST(WIRE_FIELD_VISIT)} LIST(WIRE_FIELD_ACCESSORS)                                      \
                                                                                                             \
          private : LIST(WIRE_FIELD_MEMBER) public:

// Copies every field of `source` through the setters.
#define WIRE_KOPYALA(Class, LIST)                                                                            \
  void Kopyala(const Class &source)                                                                          \
  {                                                                                                          \
    LIST(WIRE_FIELD_COPY)                                                                                    \
  }
