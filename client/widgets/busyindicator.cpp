#include "widgets/busyindicator.h"

#include <QPainter>
#include <QTimer>

#include <cmath>

BusyIndicator::BusyIndicator(QWidget *parent) : QWidget(parent), timer_(new QTimer(this))
{
  setFixedSize(32, 33);
  timer_->setInterval(80);
  connect(timer_, &QTimer::timeout, this, [this] {
    step_ = (step_ + 1) % 12;
    update();
  });
  hide();
}

void BusyIndicator::start()
{
  show();
  timer_->start();
}

void BusyIndicator::stop()
{
  timer_->stop();
  hide();
}

bool BusyIndicator::isRunning() const
{
  return timer_->isActive();
}

void BusyIndicator::paintEvent(QPaintEvent *)
{
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(width() / 2.0, height() / 2.0);
  const double radius = std::min(width(), height()) / 2.0 - 4;
  for (int i = 0; i < 12; ++i) {
    const double angle = (i * 30.0) * M_PI / 180.0;
    const int age = (step_ - i + 12) % 12;
    QColor c(67, 76, 88);
    c.setAlphaF(1.0 - age / 12.0);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(centre + QPointF(radius * std::cos(angle), radius * std::sin(angle)), 2.6, 2.6);
  }
}
