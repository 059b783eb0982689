#include "server/async.h"

#include "server/remoteerror.h"

#include <QCoreApplication>
#include <QMutex>
#include <QRunnable>
#include <QThread>
#include <QThreadPool>

#include <exception>

namespace {

QMutex handlerMutex;
std::function<void(const QString &)> topLevelHandler;

QString describe(std::exception_ptr error)
{
  try {
    std::rethrow_exception(error);
  } catch (const RemoteError &e) {
    return e.message();
  } catch (const std::exception &e) {
    return QString::fromUtf8(e.what());
  } catch (...) {
    return QStringLiteral("Bilinmeyen hata");
  }
}

class TAwait final : public IAwait {
public:
  explicit TAwait(std::function<void()> async) : FAsync(std::move(async)) {}

  void Await(std::function<void()> then) override
  {
    QCoreApplication *app = QCoreApplication::instance();
    QThreadPool::globalInstance()->start([work = std::move(FAsync), then = std::move(then), app]() mutable {
      std::exception_ptr error;
      try {
        work();
      } catch (...) {
        error = std::current_exception();
      }
      QMetaObject::invokeMethod(
          app,
          [then = std::move(then), error] {
            RunGuarded(then);
            if (error)
              ReportUncaughtError(describe(error));
          },
          Qt::QueuedConnection);
    });
  }

private:
  std::function<void()> FAsync;
};

bool onUiThread()
{
  QCoreApplication *app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
}

} // namespace

std::shared_ptr<IAwait> Async(std::function<void()> work)
{
  return std::make_shared<TAwait>(std::move(work));
}

void SetTopLevelErrorHandler(std::function<void(const QString &)> handler)
{
  QMutexLocker lock(&handlerMutex);
  topLevelHandler = std::move(handler);
}

void ReportUncaughtError(const QString &text)
{
  std::function<void(const QString &)> handler;
  {
    QMutexLocker lock(&handlerMutex);
    handler = topLevelHandler;
  }
  if (!onUiThread()) {
    PostToUiThread([text] { ReportUncaughtError(text); });
    return;
  }
  if (handler)
    handler(text);
  else
    qWarning("%s", qPrintable(text));
}

void RunGuarded(const std::function<void()> &action)
{
  try {
    action();
  } catch (...) {
    ReportUncaughtError(describe(std::current_exception()));
  }
}

void RunOnUiThreadAndWait(const std::function<void()> &change)
{
  if (onUiThread()) {
    change();
    return;
  }
  QMetaObject::invokeMethod(QCoreApplication::instance(), change, Qt::BlockingQueuedConnection);
}

void PostToUiThread(std::function<void()> change)
{
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(change), Qt::QueuedConnection);
}
