#pragma once
// Server methods by name. Every call is checked against the shared catalogue
// (count and kinds of the input parameters) before its handler runs.

#include <QCborArray>
#include <QHash>
#include <QString>

#include <functional>
#include <stdexcept>

namespace backend {

struct Session;

// A call failure answered with its code ("method", "params", "auth", "server").
class MethodError : public std::runtime_error {
public:
  MethodError(QString code, QString message)
      : std::runtime_error(message.toStdString()), code(std::move(code)), message(std::move(message))
  {
  }
  QString code;
  QString message;
};

// Returns the output parameters followed by the result.
using MethodHandler = std::function<QCborArray(Session &session, const QCborArray &params)>;

class MethodRegistry {
public:
  // `name` without the "TServerMethods1." prefix; it must be in the catalogue.
  void add(const QString &name, MethodHandler handler);
  bool contains(const QString &name) const { return handlers_.contains(name); }

  // Runs before every handler (after the parameter check); raises
  // MethodError("auth") to refuse the call.
  using Guard = std::function<void(Session &session, const QString &name)>;
  void setGuard(Guard guard) { guard_ = std::move(guard); }

  // Runs one call given by its command text. Raises MethodError.
  QCborArray dispatch(Session &session, const QString &commandText, const QCborArray &params) const;

private:
  QHash<QString, MethodHandler> handlers_;
  Guard guard_;
};

// Registers the methods that need no storage (EchoString, ReverseString).
void addBasicMethods(MethodRegistry &registry);

} // namespace backend
