#include "methodregistry.h"

#include <wire/catalogue.h>

#include <algorithm>

namespace backend {

void MethodRegistry::add(const QString &name, MethodHandler handler)
{
  if (!wire::findMethod(name))
    throw std::logic_error("method not in the catalogue: " + name.toStdString());
  handlers_.insert(name, std::move(handler));
}

QCborArray MethodRegistry::dispatch(Session &session, const QString &commandText,
                                    const QCborArray &params) const
{
  if (!commandText.startsWith(wire::kCommandPrefix))
    throw MethodError(QStringLiteral("method"), QStringLiteral("Bilinmeyen komut: %1").arg(commandText));
  const QString name = commandText.mid(wire::kCommandPrefix.size());
  const auto handler = handlers_.constFind(name);
  const wire::MethodSignature *signature = wire::findMethod(name);
  if (handler == handlers_.constEnd() || !signature)
    throw MethodError(QStringLiteral("method"), QStringLiteral("Bilinmeyen komut: %1").arg(commandText));

  const QList<wire::MethodParam> inputs = signature->inputs();
  if (params.size() != inputs.size())
    throw MethodError(QStringLiteral("params"), QStringLiteral("%1: %2 parametre bekleniyordu, %3 geldi")
                                                    .arg(name)
                                                    .arg(inputs.size())
                                                    .arg(params.size()));
  for (qsizetype i = 0; i < inputs.size(); ++i) {
    if (!wire::matchesKind(params.at(i), inputs[i].kind))
      throw MethodError(QStringLiteral("params"), QStringLiteral("%1: parametre %2 (%3) %4 olmalı")
                                                      .arg(name)
                                                      .arg(i)
                                                      .arg(inputs[i].name, wire::kindName(inputs[i].kind)));
  }
  if (guard_)
    guard_(session, name);
  return (*handler)(session, params);
}

void addBasicMethods(MethodRegistry &registry)
{
  registry.add(QStringLiteral("EchoString"),
               [](Session &, const QCborArray &params) { return QCborArray{params.at(0)}; });
  registry.add(QStringLiteral("ReverseString"), [](Session &, const QCborArray &params) {
    // Reverse by code points so characters outside the BMP stay whole.
    QList<uint> codePoints = params.at(0).toString().toUcs4();
    std::reverse(codePoints.begin(), codePoints.end());
    return QCborArray{
        QString::fromUcs4(reinterpret_cast<const char32_t *>(codePoints.constData()), codePoints.size())};
  });
}

} // namespace backend
