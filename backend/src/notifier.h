#pragma once
// The notification hub: every registered channel gets every notification.
// Notifications come from inside the process (notifyAll) or from other
// processes through the notifications table, which pollStorage() reads.

#include <QCborValue>

#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace backend {

class Storage;

// One registered channel's inbox; its connection thread drains it.
class ChannelInbox {
public:
  void push(const QCborValue &payload)
  {
    std::lock_guard lock(mutex_);
    pending_.push_back(payload);
  }
  std::vector<QCborValue> take()
  {
    std::lock_guard lock(mutex_);
    std::vector<QCborValue> out;
    out.swap(pending_);
    return out;
  }

private:
  std::mutex mutex_;
  std::vector<QCborValue> pending_;
};

class Notifier {
public:
  std::shared_ptr<ChannelInbox> subscribe();
  void unsubscribe(const std::shared_ptr<ChannelInbox> &inbox);
  int channelCount() const;

  void notifyAll(const QCborValue &payload);

  // Delivers the rows of the notifications table newer than the last seen;
  // the first call only takes note of where the table stands.
  void pollStorage(Storage &storage);

private:
  mutable std::mutex mutex_;
  std::set<std::shared_ptr<ChannelInbox>> inboxes_;
  qint64 lastSeen_ = -1;
};

// Adds a row to the notifications table (and, on PostgreSQL, NOTIFY), so that
// every serving process passes it on to its channels.
void postNotification(Storage &storage, const QString &text);

} // namespace backend
