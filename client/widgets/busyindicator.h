#pragma once
// The busy animation shown while a load runs: a turning ring of dots,
// hidden while stopped.

#include <QWidget>

class QTimer;

class BusyIndicator : public QWidget {
  Q_OBJECT
public:
  explicit BusyIndicator(QWidget *parent = nullptr);
  void start(); // shows and turns
  void stop();  // hides
  bool isRunning() const;
  QSize sizeHint() const override { return {32, 33}; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QTimer *timer_;
  int step_ = 0;
};
