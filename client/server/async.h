#pragma once
// Background calls: Async(work).Await(then) runs `work` once on a pool thread
// and `then` once on the user-interface thread after `work` has returned.
// The call returns at once.
//
// An exception that escapes `work` does not stop `then`: the continuation runs
// as after a success, and the error is then handed to the top-level error
// handler on the user-interface thread.

#include <QString>

#include <functional>
#include <memory>

class IAwait {
public:
  virtual ~IAwait() = default;
  virtual void Await(std::function<void()> then) = 0;
};

std::shared_ptr<IAwait> Async(std::function<void()> work);

// The application's top-level error handler: shows the text of an error that
// no feature caught. Tests and the program entry install their own.
void SetTopLevelErrorHandler(std::function<void(const QString &)> handler);
void ReportUncaughtError(const QString &text);
// Runs `action` and hands any escaping error to the top-level handler; the
// guard for user actions that call the server on the user-interface thread.
void RunGuarded(const std::function<void()> &action);

// Runs `change` on the user-interface thread and waits for it (from a worker),
// or runs it directly when already there.
void RunOnUiThreadAndWait(const std::function<void()> &change);
// Queues `change` to the user-interface thread without waiting.
void PostToUiThread(std::function<void()> change);
