#include "widgets/sayaclitabbar.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>

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

SayacliTabBar::SayacliTabBar(QWidget *parent) : QTabBar(parent)
{
  setExpanding(false);
  setDrawBase(false);
  // On a screen too narrow for every tab the row scrolls, so the window
  // still fits the screen.
  setUsesScrollButtons(true);
  setElideMode(Qt::ElideNone);
}

QSize SayacliTabBar::tabSizeHint(int) const
{
  // Tabs are 120 × 50 pixels; long titles wrap inside.
  return {120, 50};
}

void SayacliTabBar::paintEvent(QPaintEvent *)
{
  QStylePainter painter(this);
  for (int i = 0; i < count(); ++i) {
    if (!isTabVisible(i))
      continue;
    QStyleOptionTab option;
    initStyleOption(&option, i);
    const TSonuc caption = TabBasligiCoz(tabText(i));
    option.text.clear();
    painter.drawControl(QStyle::CE_TabBarTabShape, option);

    QRect content = option.rect.adjusted(3, 5, -3, -5);
    if (!option.icon.isNull()) {
      const QSize iconSize = option.iconSize.isValid() ? option.iconSize : QSize(16, 16);
      const QRect iconRect(content.left() + 3, content.center().y() - iconSize.height() / 2, iconSize.width(),
                           iconSize.height());
      option.icon.paint(&painter, iconRect, Qt::AlignCenter,
                        (option.state & QStyle::State_Enabled) ? QIcon::Normal : QIcon::Disabled);
      content.setLeft(iconRect.right() + 3);
    }
    // Titles in the tab font's colour (white on the dark tabs of the style).
    painter.setPen(tabTextColor(i).isValid() ? tabTextColor(i) : QColor(Qt::white));
    if (shape() == QTabBar::RoundedWest || shape() == QTabBar::RoundedEast) {
      painter.save();
      painter.translate(option.rect.center());
      painter.rotate(shape() == QTabBar::RoundedWest ? -90 : 90);
      const QRect turned(-option.rect.height() / 2, -option.rect.width() / 2, option.rect.height(),
                         option.rect.width());
      painter.drawText(turned, Qt::AlignCenter, caption.baslik);
      painter.restore();
      continue;
    }
    painter.drawText(content, Qt::AlignCenter | Qt::TextWordWrap, caption.baslik);
    if (caption.sayi > 0) {
      const QRect counter = content.adjusted(2, -3, -2, 3);
      painter.setPen(QColor(246, 211, 56));
      painter.drawText(counter, Qt::AlignRight | Qt::AlignTop, QStringLiteral("(%1)").arg(caption.sayi));
    }
  }
}
