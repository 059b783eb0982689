#pragma once
// An embedded web page: Qt WebEngine when the build has it; otherwise a
// notice, and the address opens in the user's browser.

#include <QUrl>
#include <QWidget>

class BrowserView : public QWidget {
  Q_OBJECT
public:
  explicit BrowserView(QWidget *parent = nullptr);
  // Opens `address` as given (blanks and all), in the view or outside it.
  void Navigate(const QString &address);
  QUrl url() const { return url_; }
  static bool hasEngine();

private:
  QWidget *view_ = nullptr;
  QUrl url_;
};
