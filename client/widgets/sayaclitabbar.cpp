#include "widgets/sayaclitabbar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

TSonuc TabBasligiCoz(const QString &caption)
{
  TSonuc sonuc;
  const int eq = int(caption.indexOf(QLatin1Char('=')));
  if (eq < 0) {
    sonuc.baslik = caption;
  } else {
    bool ok = false;
    const QString number = caption.left(eq).trimmed();
    sonuc.sayi = number.toInt(&ok);
    if (!ok) {
      // "3.5" or "3,5": the whole part; anything else: no counter.
      const double value = QString(number).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
      sonuc.sayi = ok && std::isfinite(value) && std::fabs(value) < 2e9 ? int(value) : 0;
    }
    sonuc.baslik = caption.mid(eq + 1);
  }
  sonuc.baslik.truncate(100);
  return sonuc;
}

namespace {
constexpr int kGap = 2; // between tabs and between rows
const QColor kTab(67, 76, 88);
const QColor kTabSelected(98, 110, 125);
const QColor kTabHover(82, 93, 107);
const QColor kCounter(246, 211, 56);
} // namespace

SayacliTabBar::SayacliTabBar(QWidget *parent) : QWidget(parent)
{
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(13);
  setFont(f);
}

int SayacliTabBar::addTab(const QIcon &icon, const QString &text)
{
  tabs_.append({icon, text, true});
  const int index = count() - 1;
  relayout();
  if (current_ < 0)
    setCurrentIndex(index);
  return index;
}

QString SayacliTabBar::tabText(int index) const
{
  return index >= 0 && index < count() ? tabs_.at(index).text : QString();
}

void SayacliTabBar::setTabText(int index, const QString &text)
{
  if (index < 0 || index >= count() || tabs_[index].text == text)
    return;
  tabs_[index].text = text;
  update(tabRect(index));
}

bool SayacliTabBar::isTabVisible(int index) const
{
  return index >= 0 && index < count() && tabs_.at(index).visible;
}

void SayacliTabBar::setTabVisible(int index, bool visible)
{
  if (index < 0 || index >= count() || tabs_[index].visible == visible)
    return;
  tabs_[index].visible = visible;
  relayout();
  if (!visible && index == current_) {
    // The next visible tab, else the one before.
    for (int step = 1; step < count(); ++step) {
      if (isTabVisible(index + step)) {
        setCurrentIndex(index + step);
        return;
      }
      if (isTabVisible(index - step)) {
        setCurrentIndex(index - step);
        return;
      }
    }
  }
}

void SayacliTabBar::setCurrentIndex(int index)
{
  if (index < 0 || index >= count() || index == current_)
    return;
  current_ = index;
  update();
  emit currentChanged(index);
}

void SayacliTabBar::setIconSize(const QSize &size)
{
  iconSize_ = size;
  update();
}

QList<QRect> SayacliTabBar::layoutFor(int width) const
{
  const int perRow = qMax(1, (width + kGap) / (kTabWidth + kGap));
  QList<QRect> rects;
  int placed = 0;
  for (const Tab &tab : tabs_) {
    if (!tab.visible) {
      rects.append(QRect());
      continue;
    }
    const int row = placed / perRow;
    const int column = placed % perRow;
    rects.append(QRect(column * (kTabWidth + kGap), row * (kTabHeight + kGap), kTabWidth, kTabHeight));
    ++placed;
  }
  return rects;
}

int SayacliTabBar::heightForWidth(int width) const
{
  int bottom = 0;
  for (const QRect &r : layoutFor(width))
    if (!r.isNull())
      bottom = qMax(bottom, r.bottom() + 1);
  return qMax(bottom, kTabHeight);
}

QSize SayacliTabBar::sizeHint() const
{
  int visible = 0;
  for (const Tab &tab : tabs_)
    visible += tab.visible ? 1 : 0;
  return {qMax(1, visible) * (kTabWidth + kGap), heightForWidth(width() > 0 ? width() : 10000)};
}

QSize SayacliTabBar::minimumSizeHint() const
{
  return {kTabWidth, heightForWidth(width() > 0 ? width() : kTabWidth)};
}

void SayacliTabBar::relayout()
{
  const int height = heightForWidth(width());
  if (height != this->height())
    updateGeometry();
  update();
}

void SayacliTabBar::resizeEvent(QResizeEvent *)
{
  relayout();
}

QRect SayacliTabBar::tabRect(int index) const
{
  return index >= 0 && index < count() ? layoutFor(width()).at(index) : QRect();
}

int SayacliTabBar::tabAt(const QPoint &pos) const
{
  const QList<QRect> rects = layoutFor(width());
  for (int i = 0; i < rects.size(); ++i)
    if (!rects.at(i).isNull() && rects.at(i).contains(pos))
      return i;
  return -1;
}

void SayacliTabBar::mousePressEvent(QMouseEvent *event)
{
  const int index = tabAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index >= 0)
    setCurrentIndex(index);
}

void SayacliTabBar::mouseMoveEvent(QMouseEvent *event)
{
  const int index = tabAt(event->position().toPoint());
  if (index != hover_) {
    hover_ = index;
    update();
  }
}

void SayacliTabBar::leaveEvent(QEvent *)
{
  hover_ = -1;
  update();
}

void SayacliTabBar::paintEvent(QPaintEvent *)
{
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QList<QRect> rects = layoutFor(width());
  for (int i = 0; i < count(); ++i) {
    const QRect rect = rects.at(i);
    if (rect.isNull())
      continue;
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect).adjusted(0, 0, 0, 4), 4, 4); // square bottom: cut by the clip
    painter.save();
    painter.setClipRect(rect);
    painter.fillPath(shape, i == current_ ? kTabSelected : (i == hover_ ? kTabHover : kTab));
    painter.restore();

    const TSonuc caption = TabBasligiCoz(tabs_.at(i).text);
    QRect content = rect.adjusted(3, 5, -3, -5);
    if (!tabs_.at(i).icon.isNull()) {
      const QRect iconRect(content.left() + 3, content.center().y() - iconSize_.height() / 2,
                           iconSize_.width(), iconSize_.height());
      tabs_.at(i).icon.paint(&painter, iconRect, Qt::AlignCenter,
                             isEnabled() ? QIcon::Normal : QIcon::Disabled);
      content.setLeft(iconRect.right() + 3);
    }
    painter.setPen(Qt::white);
    painter.setFont(font());
    painter.drawText(content, Qt::AlignCenter | Qt::TextWordWrap, caption.baslik);
    if (caption.sayi > 0) {
      const QRect counter = content.adjusted(2, -3, -2, 3);
      painter.setPen(kCounter);
      painter.drawText(counter, Qt::AlignRight | Qt::AlignTop, QStringLiteral("(%1)").arg(caption.sayi));
    }
  }
}
