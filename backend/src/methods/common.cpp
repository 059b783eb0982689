#include "common.h"

#include <wire/jsonform.h>
#include <wire/value.h>

#include <QDateTime>
#include <QSet>
#include <QSqlQuery>

namespace backend {

const Account *sessionAccount(ServerContext &context, Session &session)
{
  if (!session.accountLoaded) {
    session.accountLoaded = true;
    session.account.reset();
    if (!session.computer.trimmed().isEmpty()) {
      QSqlQuery q =
          exec(context.storage.db(),
               QStringLiteral("SELECT sirano, username, password, user_type, active, carino, "
                              "salesperson_id, email, computer_id FROM accounts WHERE computer_id = ?"),
               {session.computer});
      if (q.next()) {
        Account a;
        a.sirano = q.value(0).toInt();
        a.username = q.value(1).toString();
        a.password = q.value(2).toString();
        a.userType = q.value(3).toInt();
        a.active = q.value(4).toInt() == 1;
        a.carino = q.value(5).toInt();
        a.salespersonId = q.value(6).toInt();
        a.email = q.value(7).toString();
        a.computerId = q.value(8).toString();
        session.account = a;
      }
    }
  }
  return session.account ? &*session.account : nullptr;
}

void failAuth(const QString &text)
{
  throw MethodError(QStringLiteral("auth"),
                    text.isEmpty() ? QStringLiteral("Bu işlem için yetkiniz yok.") : text);
}

Account requireAccount(ServerContext &context, Session &session)
{
  const Account *account = sessionAccount(context, session);
  if (!account)
    failAuth(QStringLiteral("Bu bilgisayar sistemde kayıtlı değil."));
  if (!account->active)
    failAuth(QStringLiteral("Hesabınız aktif değil."));
  return *account;
}

int authorizeDealer(ServerContext &context, Session &session, int carino)
{
  const Account account = requireAccount(context, session);
  if (account.isStaff()) {
    if (scalar(context.storage.db(), QStringLiteral("SELECT COUNT(*) FROM dealers WHERE carino = ?"),
               {carino})
            .toInt() == 0)
      throw MethodError(QStringLiteral("server"), QStringLiteral("Cari bulunamadı: %1").arg(carino));
    return carino;
  }
  if (carino != account.carino)
    failAuth(QStringLiteral("Başka bir carinin bilgilerine erişemezsiniz."));
  return carino;
}

std::unique_ptr<TSonucBilgisi> loginRecordParam(const QCborValue &value)
{
  QByteArray json;
  if (!wire::extractJson(value, &json))
    throw MethodError(QStringLiteral("params"), QStringLiteral("Oturum bilgisi eksik."));
  QString error;
  auto record = wire::fromJson<TSonucBilgisi>(json, &error);
  if (!record)
    throw MethodError(QStringLiteral("params"),
                      error.isEmpty() ? QStringLiteral("Oturum bilgisi eksik.")
                                      : QStringLiteral("Oturum bilgisi okunamadı: %1").arg(error));
  return record;
}

QCborValue objectResult(const wire::TransferObject *object)
{
  if (!object)
    return QCborValue(QCborValue::Null);
  return wire::embedJson(wire::toJson(object));
}

wire::TableMap tableFromQuery(QSqlQuery &query, const QList<wire::Column> &columns)
{
  wire::TableMap table;
  table.columns = columns;
  const int count = int(columns.size());
  while (query.next()) {
    wire::Row row;
    row.reserve(count);
    for (int i = 0; i < count; ++i) {
      const QVariant v = query.value(i);
      if (v.isNull()) {
        row.append(QVariant());
        continue;
      }
      switch (columns[i].type) {
      case wire::ColumnType::Int32:
        row.append(v.toInt());
        break;
      case wire::ColumnType::Int64:
        row.append(v.toLongLong());
        break;
      case wire::ColumnType::Double:
        row.append(v.toDouble());
        break;
      case wire::ColumnType::Text:
        row.append(v.toString());
        break;
      case wire::ColumnType::Bool:
        row.append(v.toInt() != 0);
        break;
      case wire::ColumnType::Date:
        row.append(QDate::fromString(v.toString().left(10), Qt::ISODate));
        break;
      case wire::ColumnType::DateTime:
        row.append(QDateTime::fromString(v.toString().left(19), QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
        break;
      case wire::ColumnType::Bytes:
        row.append(v.toByteArray());
        break;
      }
    }
    table.rows.append(std::move(row));
  }
  return table;
}

QString nowText()
{
  return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}
QString todayText()
{
  return QDate::currentDate().toString(Qt::ISODate);
}

void addAllMethods(MethodRegistry &registry, ServerContext &context)
{
  // An unknown computer reaches only the login and the request forms; an
  // inactive account only the login.
  registry.setGuard([&context](Session &session, const QString &name) {
    static const QSet<QString> open{QStringLiteral("BuyukGetir"), QStringLiteral("MobilCariBilgisiGetir"),
                                    QStringLiteral("MailGonserCari"), QStringLiteral("EchoString"),
                                    QStringLiteral("ReverseString")};
    if (!open.contains(name))
      requireAccount(context, session);
  });
  addBasicMethods(registry);
  addLoginMethods(registry, context);
  addStockMethods(registry, context);
  addBasketMethods(registry, context);
  addOrderMethods(registry, context);
  addAccountMethods(registry, context);
  addSalesMethods(registry, context);
  addContentMethods(registry, context);
}

} // namespace backend
