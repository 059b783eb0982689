#include "storage.h"

#include "schema.h"

#include <QDir>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>

#include <memory>
#include <unordered_map>

namespace backend {

std::atomic<int> Storage::instances_{0};

namespace {

// Connections of one thread, removed when the thread ends.
struct ThreadConnections {
  std::unordered_map<std::string, QString> names; // storage prefix -> connection name
  ~ThreadConnections()
  {
    for (const auto &[prefix, name] : names) {
      {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
      }
      QSqlDatabase::removeDatabase(name);
    }
  }
};
thread_local ThreadConnections threadConnections;

} // namespace

void bindAll(QSqlQuery &query, const QVariantList &binds)
{
  for (qsizetype i = 0; i < binds.size(); ++i) {
    // A null QString means empty text here; SQL NULL is bound as QVariant().
    const QVariant &v = binds[i];
    if (v.typeId() == QMetaType::QString && v.toString().isNull())
      query.bindValue(int(i), QStringLiteral(""));
    else
      query.bindValue(int(i), v);
  }
}

QSqlQuery exec(const QSqlDatabase &db, const QString &sql, const QVariantList &binds)
{
  QSqlQuery query(db);
  query.setForwardOnly(true);
  // SQLite hands its floating-point values over as doubles, not as text to
  // be parsed again (the text form keeps only 15 digits).
  if (db.driverName() == QLatin1String("QSQLITE"))
    query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
  // Statements without values run directly: PostgreSQL cannot prepare
  // utility statements (CREATE, DROP, NOTIFY).
  if (binds.isEmpty()) {
    if (!query.exec(sql))
      throw StorageError(QStringLiteral("statement failed: %1 (%2)")
                             .arg(query.lastError().text(), sql.simplified().left(120))
                             .toStdString());
    return query;
  }
  if (!query.prepare(sql))
    throw StorageError(
        QStringLiteral("cannot prepare \"%1\": %2").arg(sql, query.lastError().text()).toStdString());
  bindAll(query, binds);
  if (!query.exec())
    throw StorageError(QStringLiteral("statement failed: %1").arg(query.lastError().text()).toStdString());
  return query;
}

void beginTransaction(QSqlDatabase &db)
{
  if (db.driverName() == QLatin1String("QSQLITE")) {
    exec(db, QStringLiteral("BEGIN IMMEDIATE"));
    return;
  }
  if (!db.transaction())
    throw StorageError("cannot begin a transaction: " + db.lastError().text().toStdString());
}

void commitTransaction(QSqlDatabase &db)
{
  if (db.driverName() == QLatin1String("QSQLITE")) {
    exec(db, QStringLiteral("COMMIT"));
    return;
  }
  if (!db.commit())
    throw StorageError("commit failed: " + db.lastError().text().toStdString());
}

void rollbackTransaction(QSqlDatabase &db)
{
  if (db.driverName() == QLatin1String("QSQLITE")) {
    QSqlQuery q(db);
    q.exec(QStringLiteral("ROLLBACK"));
    return;
  }
  db.rollback();
}

QVariant scalar(const QSqlDatabase &db, const QString &sql, const QVariantList &binds)
{
  QSqlQuery query = exec(db, sql, binds);
  return query.next() ? query.value(0) : QVariant();
}

Storage::Storage(StorageOptions options) : options_(std::move(options))
{
  postgres_ = options_.databaseUrl.startsWith(QLatin1String("postgres"));
  prefix_ = QStringLiteral("tarvesa-storage-%1").arg(++instances_);
}

Storage::~Storage()
{
  // Connections of other threads end with their threads; only this thread's
  // own connection can be removed here.
  const auto it = threadConnections.names.find(prefix_.toStdString());
  if (it != threadConnections.names.end()) {
    const QString name = it->second;
    threadConnections.names.erase(it);
    {
      QSqlDatabase db = QSqlDatabase::database(name, false);
      db.close();
    }
    QSqlDatabase::removeDatabase(name);
  }
}

QString Storage::describe() const
{
  if (!postgres_)
    return QDir(options_.dataDir).filePath(QStringLiteral("tarvesa.db"));
  QUrl url(options_.databaseUrl);
  url.setPassword(QString());
  return url.toString();
}

QSqlDatabase Storage::openConnection(const QString &name, QString *error)
{
  QSqlDatabase db;
  if (postgres_) {
    db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    const QUrl url(options_.databaseUrl);
    const QUrlQuery query(url);
    QString host = url.host();
    if (host.isEmpty())
      host = query.queryItemValue(QStringLiteral("host"));
    if (!host.isEmpty())
      db.setHostName(host);
    if (url.port() > 0)
      db.setPort(url.port());
    db.setUserName(url.userName());
    db.setPassword(url.password());
    db.setDatabaseName(url.path().mid(1));
  } else {
    db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(describe());
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
  }
  if (!db.open()) {
    if (error)
      *error = db.lastError().text();
    return db;
  }
  if (!postgres_) {
    for (const char *pragma :
         {"PRAGMA journal_mode=WAL", "PRAGMA foreign_keys=ON", "PRAGMA synchronous=NORMAL",
          // Large catalogues: read the file through a memory map instead of a
          // system call per page, and sort search results in memory.
          "PRAGMA mmap_size=1073741824", "PRAGMA temp_store=MEMORY", "PRAGMA cache_size=-16384"}) {
      QSqlQuery q(db);
      q.exec(QString::fromLatin1(pragma));
    }
  }
  return db;
}

QSqlDatabase Storage::db()
{
  const std::string key = prefix_.toStdString();
  const auto it = threadConnections.names.find(key);
  if (it != threadConnections.names.end()) {
    QSqlDatabase db = QSqlDatabase::database(it->second, false);
    if (db.isOpen())
      return db;
    if (db.open())
      return db;
    throw StorageError(("database unreachable: " + db.lastError().text()).toStdString());
  }
  const QString name = QStringLiteral("%1-%2").arg(prefix_).arg(quintptr(QThread::currentThreadId()));
  QString error;
  QSqlDatabase db = openConnection(name, &error);
  threadConnections.names.emplace(key, name);
  if (!db.isOpen())
    throw StorageError(("database unreachable: " + error).toStdString());
  return db;
}

QString Storage::dialect(QString sql) const
{
  if (postgres_) {
    sql.replace(QLatin1String("{ID}"), QLatin1String("INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"));
    sql.replace(QLatin1String("{REAL}"), QLatin1String("DOUBLE PRECISION"));
    sql.replace(QLatin1String("{BLOB}"), QLatin1String("BYTEA"));
  } else {
    sql.replace(QLatin1String("{ID}"), QLatin1String("INTEGER PRIMARY KEY"));
    sql.replace(QLatin1String("{REAL}"), QLatin1String("REAL"));
    sql.replace(QLatin1String("{BLOB}"), QLatin1String("BLOB"));
  }
  return sql;
}

bool Storage::open(QString *error)
{
  if (!postgres_ && !QDir().mkpath(options_.dataDir)) {
    if (error)
      *error = QStringLiteral("cannot create the data folder %1").arg(options_.dataDir);
    return false;
  }
  try {
    db();
  } catch (const std::exception &e) {
    if (error)
      *error = QString::fromUtf8(e.what());
    return false;
  }
  return migrate(error);
}

int Storage::schemaVersion()
{
  QSqlDatabase connection = db();
  exec(connection, QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)"));
  const QVariant v = scalar(connection, QStringLiteral("SELECT MAX(version) FROM schema_version"));
  return v.isNull() ? 0 : v.toInt();
}

bool Storage::migrate(QString *error)
{
  try {
    QSqlDatabase connection = db();
    const QStringList &steps = schemaMigrations();
    inTransaction(connection, [&] {
      // Several servers may start on one PostgreSQL database at once.
      if (postgres_)
        exec(connection, QStringLiteral("SELECT pg_advisory_xact_lock(727272)"));
      exec(connection,
           QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)"));
      const QVariant v = scalar(connection, QStringLiteral("SELECT MAX(version) FROM schema_version"));
      int current = v.isNull() ? 0 : v.toInt();
      if (current > steps.size())
        throw StorageError(QStringLiteral("the database has schema version %1; this server knows %2")
                               .arg(current)
                               .arg(steps.size())
                               .toStdString());
      for (; current < steps.size(); ++current) {
        static const QRegularExpression statementEnd(QStringLiteral(";\\s*\\n"));
        for (QString statement : dialect(steps[current]).split(statementEnd, Qt::SkipEmptyParts)) {
          statement = statement.trimmed();
          if (statement.startsWith(QLatin1String("{SQLITE}"))) {
            if (postgres_)
              continue;
            statement = statement.mid(8);
          }
          if (!statement.isEmpty())
            exec(connection, statement);
        }
        exec(connection, QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"), {current + 1});
      }
    });
  } catch (const std::exception &e) {
    if (error)
      *error = QString::fromUtf8(e.what());
    return false;
  }
  return true;
}

} // namespace backend
