#pragma once
// Tabs whose caption may carry a counter: "12=Sepet" shows the title
// "Sepet" centred and "(12)" at the top right in the header yellow. The tabs
// are 120 × 50 pixels and wrap into further rows when the width runs out.

#include <QIcon>
#include <QList>
#include <QWidget>

// A tab caption split into counter and title.
struct TSonuc {
  int sayi = 0;   // the counter; 0 when absent
  QString baslik; // the title, at most 100 characters
};
// Splits at the first "=": the counter is the integer before it (a
// fractional or malformed number gives 0 or its whole part, never an error),
// the title the text after it. Without "=" the whole caption is the title.
TSonuc TabBasligiCoz(const QString &caption);

class SayacliTabBar : public QWidget {
  Q_OBJECT
public:
  explicit SayacliTabBar(QWidget *parent = nullptr);

  static constexpr int kTabWidth = 120;
  static constexpr int kTabHeight = 50;

  int addTab(const QIcon &icon, const QString &text);
  int count() const { return int(tabs_.size()); }
  QString tabText(int index) const;
  void setTabText(int index, const QString &text);
  bool isTabVisible(int index) const;
  void setTabVisible(int index, bool visible);
  int currentIndex() const { return current_; }
  void setCurrentIndex(int index);
  void setIconSize(const QSize &size);
  // The tab's place, in rows from the top; null when hidden.
  QRect tabRect(int index) const;
  int tabAt(const QPoint &pos) const;

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

signals:
  void currentChanged(int index);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void leaveEvent(QEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  struct Tab {
    QIcon icon;
    QString text;
    bool visible = true;
  };
  QList<QRect> layoutFor(int width) const;
  void relayout();

  QList<Tab> tabs_;
  int current_ = -1;
  int hover_ = -1;
  QSize iconSize_{24, 24};
};
