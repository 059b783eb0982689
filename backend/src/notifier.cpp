#include "notifier.h"

#include "storage/storage.h"

#include <QDateTime>
#include <QSqlQuery>

namespace backend {

std::shared_ptr<ChannelInbox> Notifier::subscribe()
{
  auto inbox = std::make_shared<ChannelInbox>();
  std::lock_guard lock(mutex_);
  inboxes_.insert(inbox);
  return inbox;
}

void Notifier::unsubscribe(const std::shared_ptr<ChannelInbox> &inbox)
{
  std::lock_guard lock(mutex_);
  inboxes_.erase(inbox);
}

int Notifier::channelCount() const
{
  std::lock_guard lock(mutex_);
  return int(inboxes_.size());
}

void Notifier::notifyAll(const QCborValue &payload)
{
  std::lock_guard lock(mutex_);
  for (const auto &inbox : inboxes_)
    inbox->push(payload);
}

void Notifier::pollStorage(Storage &storage)
{
  QSqlDatabase db = storage.db();
  if (lastSeen_ < 0) {
    lastSeen_ = scalar(db, QStringLiteral("SELECT COALESCE(MAX(id), 0) FROM notifications")).toLongLong();
    return;
  }
  QSqlQuery q =
      exec(db, QStringLiteral("SELECT id, message FROM notifications WHERE id > ? ORDER BY id"), {lastSeen_});
  while (q.next()) {
    lastSeen_ = q.value(0).toLongLong();
    notifyAll(QCborValue(q.value(1).toString()));
  }
}

void postNotification(Storage &storage, const QString &text)
{
  QSqlDatabase db = storage.db();
  exec(db, QStringLiteral("INSERT INTO notifications (created_at, message) VALUES (?, ?)"),
       {QDateTime::currentDateTime().toString(Qt::ISODate), text});
  if (storage.isPostgres())
    exec(db, QStringLiteral("NOTIFY tarvesa_notify"));
}

} // namespace backend
