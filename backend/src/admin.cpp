#include "admin.h"

#include "notifier.h"
#include "storage/storage.h"

#include <QSqlQuery>

#include <cstdio>

namespace backend {

int printAccounts(Storage &storage)
{
  try {
    QSqlQuery q =
        exec(storage.db(),
             QStringLiteral("SELECT a.username, a.password, a.user_type, a.active, COALESCE(d.code, ''), "
                            "COALESCE(d.name, ''), COALESCE(a.computer_id, '') FROM accounts a "
                            "LEFT JOIN dealers d ON d.carino = a.carino ORDER BY a.sirano"));
    std::printf("%-12s %-10s %-4s %-6s %-12s %-36s %s\n", "USER", "PASSWORD", "TYPE", "ACTIVE", "DEALER",
                "NAME", "COMPUTER");
    while (q.next())
      std::printf("%-12s %-10s %-4d %-6s %-12s %-36s %s\n", qPrintable(q.value(0).toString()),
                  qPrintable(q.value(1).toString()), q.value(2).toInt(), q.value(3).toInt() ? "yes" : "no",
                  qPrintable(q.value(4).toString()), qPrintable(q.value(5).toString().left(36)),
                  qPrintable(q.value(6).toString()));
  } catch (const std::exception &e) {
    std::fprintf(stderr, "tarvesa-server: %s\n", e.what());
    return 1;
  }
  return 0;
}

int bindComputer(Storage &storage, const QString &computer, const QString &user)
{
  if (computer.trimmed().isEmpty() || user.trimmed().isEmpty()) {
    std::fprintf(stderr, "tarvesa-server: bind needs --computer ID and --user NAME\n");
    return 2;
  }
  try {
    QSqlDatabase db = storage.db();
    const bool found = inTransaction(db, [&] {
      if (scalar(db, QStringLiteral("SELECT COUNT(*) FROM accounts WHERE username = ?"), {user}).toInt() == 0)
        return false;
      exec(db, QStringLiteral("UPDATE accounts SET computer_id = NULL WHERE computer_id = ?"), {computer});
      exec(db, QStringLiteral("UPDATE accounts SET computer_id = ? WHERE username = ?"), {computer, user});
      return true;
    });
    if (!found) {
      std::fprintf(stderr, "tarvesa-server: no account named %s\n", qPrintable(user));
      return 1;
    }
  } catch (const std::exception &e) {
    std::fprintf(stderr, "tarvesa-server: %s\n", e.what());
    return 1;
  }
  std::printf("%s is bound to %s\n", qPrintable(computer), qPrintable(user));
  return 0;
}

int setClientVersion(Storage &storage, const QString &version)
{
  bool ok = false;
  const int value = version.toInt(&ok);
  if (!ok || value < 1) {
    std::fprintf(stderr, "tarvesa-server: set-version needs a positive number\n");
    return 2;
  }
  try {
    QSqlDatabase db = storage.db();
    inTransaction(db, [&] {
      exec(db, QStringLiteral("DELETE FROM settings WHERE name = 'client_version'"));
      exec(db, QStringLiteral("INSERT INTO settings (name, value) VALUES ('client_version', ?)"),
           {QString::number(value)});
    });
  } catch (const std::exception &e) {
    std::fprintf(stderr, "tarvesa-server: %s\n", e.what());
    return 1;
  }
  std::printf("the server now expects client version %d\n", value);
  return 0;
}

int sendNotification(Storage &storage)
{
  try {
    postNotification(storage, QStringLiteral("refresh"));
  } catch (const std::exception &e) {
    std::fprintf(stderr, "tarvesa-server: %s\n", e.what());
    return 1;
  }
  std::printf("a refresh goes to every registered client\n");
  return 0;
}

} // namespace backend
