#pragma once

#include "widgets/sayaclitabbar.h"

#include <QTabWidget>

// A page control whose tabs paint their counters (see SayacliTabBar).
class SayacliTabWidget : public QTabWidget {
  Q_OBJECT
public:
  explicit SayacliTabWidget(QWidget *parent = nullptr) : QTabWidget(parent)
  {
    setTabBar(new SayacliTabBar(this));
  }
  // Sets the caption of the tab that holds `page`.
  void setCaption(QWidget *page, const QString &caption)
  {
    const int index = indexOf(page);
    if (index >= 0)
      setTabText(index, caption);
  }
  QString caption(QWidget *page) const { return tabText(indexOf(page)); }
};
