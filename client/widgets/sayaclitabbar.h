#pragma once
// Tabs whose caption may carry a counter: "12=Sepet" shows the title
// "Sepet" centred and "(12)" at the top right in the header yellow.

#include <QTabBar>

// A tab caption split into counter and title.
struct TSonuc {
  int sayi = 0;   // the counter; 0 when absent
  QString baslik; // the title, at most 100 characters
};
// Splits at the first "=": the counter is the integer before it (a
// fractional or malformed number gives 0 or its whole part, never an error),
// the title the text after it. Without "=" the whole caption is the title.
TSonuc TabBasligiCoz(const QString &caption);

class SayacliTabBar : public QTabBar {
  Q_OBJECT
public:
  explicit SayacliTabBar(QWidget *parent = nullptr);

protected:
  void paintEvent(QPaintEvent *event) override;
  QSize tabSizeHint(int index) const override;
};
