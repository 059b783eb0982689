#pragma once
// A scrolling marquee: items (formatted text or pictures) side by side on
// one strip that moves from right to left and comes round again. Used for
// the news line and the lower banner.

#include <QColor>
#include <QPixmap>
#include <QWidget>

class QTimer;

class KayanYazi : public QWidget {
  Q_OBJECT
public:
  explicit KayanYazi(QWidget *parent = nullptr);

  // A text item; `html` shows simple HTML formatting, otherwise plain text.
  void addText(const QString &text, bool html = true);
  void addPixmap(const QPixmap &pixmap);
  void clear();
  int itemCount() const { return int(items_.size()); }

  void start();
  void stop();
  bool isRunning() const;

  void setTextColor(const QColor &color);
  void setBackground(const QColor &color);
  void setItemSpacing(int pixels);
  // Pixels moved per step; a step is taken every 16 ms while running.
  void setSpeed(int pixels);

  // The strip all items make, as drawn; its width is what scrolls.
  QPixmap strip() const;
  // Where the strip's left edge stands now (window coordinates).
  int offset() const { return offset_; }
  // One step of the scroll (the timer's work; tests call it directly).
  void step();

  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  struct Item {
    QString text;
    bool html = true;
    QPixmap pixmap;
  };
  void rebuild();

  QList<Item> items_;
  QPixmap strip_;
  QTimer *timer_;
  QColor textColor_{246, 211, 56};
  QColor background_{50, 50, 50};
  int spacing_ = 5;
  int speed_ = 1;
  int offset_ = 0;
};
