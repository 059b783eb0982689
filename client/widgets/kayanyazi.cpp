#include "widgets/kayanyazi.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QPainter>
#include <QTextDocument>
#include <QTimer>

KayanYazi::KayanYazi(QWidget *parent) : QWidget(parent), timer_(new QTimer(this))
{
  setAttribute(Qt::WA_OpaquePaintEvent);
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(24);
  setFont(f);
  timer_->setInterval(16);
  connect(timer_, &QTimer::timeout, this, &KayanYazi::step);
}

void KayanYazi::addText(const QString &text, bool html)
{
  items_.append({text, html, {}});
  rebuild();
}

void KayanYazi::addPixmap(const QPixmap &pixmap)
{
  items_.append({{}, false, pixmap});
  rebuild();
}

void KayanYazi::clear()
{
  items_.clear();
  rebuild();
}

void KayanYazi::start()
{
  timer_->start();
}

void KayanYazi::stop()
{
  timer_->stop();
}

bool KayanYazi::isRunning() const
{
  return timer_->isActive();
}

void KayanYazi::setTextColor(const QColor &color)
{
  textColor_ = color;
  rebuild();
}

void KayanYazi::setBackground(const QColor &color)
{
  background_ = color;
  rebuild();
}

void KayanYazi::setItemSpacing(int pixels)
{
  spacing_ = qMax(0, pixels);
  rebuild();
}

void KayanYazi::setSpeed(int pixels)
{
  speed_ = qMax(1, pixels);
}

QPixmap KayanYazi::strip() const
{
  return strip_;
}

void KayanYazi::rebuild()
{
  // Each item drawn once into its own picture, then all side by side.
  const qreal dpr = devicePixelRatioF();
  QList<QPixmap> parts;
  int width = 0;
  int height = 0;
  for (const Item &item : items_) {
    QPixmap part;
    if (!item.pixmap.isNull()) {
      part = item.pixmap;
    } else {
      QTextDocument doc;
      doc.setDefaultFont(font());
      doc.setDocumentMargin(0);
      doc.setDefaultStyleSheet(QStringLiteral("body { color: %1; }").arg(textColor_.name()));
      const QString body = item.html ? item.text : item.text.toHtmlEscaped();
      doc.setHtml(QStringLiteral("<body style=\"white-space: pre\">") + body + QStringLiteral("</body>"));
      doc.setTextWidth(-1);
      const QSize size = doc.size().toSize().expandedTo(QSize(1, 1));
      part = QPixmap(size * dpr);
      part.setDevicePixelRatio(dpr);
      part.fill(Qt::transparent);
      QPainter painter(&part);
      QAbstractTextDocumentLayout::PaintContext context;
      context.palette.setColor(QPalette::Text, textColor_);
      doc.documentLayout()->draw(&painter, context);
    }
    const QSize logical = part.deviceIndependentSize().toSize();
    width += logical.width() + (parts.isEmpty() ? 0 : spacing_);
    height = qMax(height, logical.height());
    parts.append(part);
  }
  if (parts.isEmpty()) {
    strip_ = QPixmap();
    update();
    return;
  }
  strip_ = QPixmap(QSize(width, height) * dpr);
  strip_.setDevicePixelRatio(dpr);
  strip_.fill(Qt::transparent);
  QPainter painter(&strip_);
  int x = 0;
  for (const QPixmap &part : parts) {
    const QSize logical = part.deviceIndependentSize().toSize();
    painter.drawPixmap(x, (height - logical.height()) / 2, part);
    x += logical.width() + spacing_;
  }
  if (offset_ > this->width() || offset_ < -width)
    offset_ = this->width();
  update();
}

void KayanYazi::step()
{
  if (strip_.isNull())
    return;
  const int stripWidth = strip_.deviceIndependentSize().toSize().width();
  offset_ -= speed_;
  if (offset_ < -stripWidth)
    offset_ = width(); // round again from the right edge
  update();
}

QSize KayanYazi::sizeHint() const
{
  return {200, qMax(40, strip_.deviceIndependentSize().toSize().height())};
}

void KayanYazi::paintEvent(QPaintEvent *)
{
  QPainter painter(this);
  painter.fillRect(rect(), background_);
  if (strip_.isNull())
    return;
  const int h = strip_.deviceIndependentSize().toSize().height();
  painter.drawPixmap(offset_, (height() - h) / 2, strip_);
}

void KayanYazi::resizeEvent(QResizeEvent *)
{
  if (offset_ > width())
    offset_ = width();
}

void KayanYazi::changeEvent(QEvent *event)
{
  if (event->type() == QEvent::FontChange)
    rebuild();
  QWidget::changeEvent(event);
}
