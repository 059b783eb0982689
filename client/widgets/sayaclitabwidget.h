#pragma once
// A page control whose tabs paint their counters and wrap into several rows
// (see SayacliTabBar), over a stack of pages.

#include <QWidget>

class QIcon;
class QStackedWidget;
class SayacliTabBar;

class SayacliTabWidget : public QWidget {
  Q_OBJECT
public:
  explicit SayacliTabWidget(QWidget *parent = nullptr);

  int addTab(QWidget *page, const QString &caption);
  int addTab(QWidget *page, const QIcon &icon, const QString &caption);
  int count() const;
  QWidget *widget(int index) const;
  int indexOf(QWidget *page) const;
  int currentIndex() const;
  QWidget *currentWidget() const;
  void setCurrentIndex(int index);
  void setCurrentWidget(QWidget *page);
  bool isTabVisible(int index) const;
  // Hiding the current tab moves to the next visible one.
  void setTabVisible(int index, bool visible);
  QString tabText(int index) const;
  void setTabText(int index, const QString &caption);
  void setIconSize(const QSize &size);
  SayacliTabBar *tabBar() const { return bar_; }

  // Sets the caption of the tab that holds `page`.
  void setCaption(QWidget *page, const QString &caption);
  QString caption(QWidget *page) const;

signals:
  void currentChanged(int index);

private:
  SayacliTabBar *bar_;
  QStackedWidget *stack_;
};
