#include "documents.h"

#include <QBuffer>
#include <QFont>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace backend {

QString turkishMoney(double value)
{
  static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
  return turkish.toString(value, 'f', 2);
}

QByteArray renderPdf(const QString &title, const QStringList &headerLines, const PdfTable &table,
                     const QStringList &footerLines)
{
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Tarvesa Otomotiv B2B"));
  writer.setResolution(150);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                   QPageLayout::Millimeter));
  QPainter p(&writer);
  const QRect page = p.viewport();
  const int width = page.width();
  QFont titleFont(QStringLiteral("DejaVu Sans"), 16, QFont::Bold);
  QFont textFont(QStringLiteral("DejaVu Sans"), 8);
  QFont boldFont(QStringLiteral("DejaVu Sans"), 8, QFont::Bold);

  int y = 0;
  auto newPage = [&] {
    writer.newPage();
    y = 0;
  };
  p.setFont(titleFont);
  p.drawText(QRect(0, y, width, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tarvesa Otomotiv"));
  p.drawText(QRect(0, y, width, 60), Qt::AlignRight | Qt::AlignVCenter, title);
  y += 75;
  p.setFont(textFont);
  const int line = p.fontMetrics().height() + 6;
  for (const QString &text : headerLines) {
    p.drawText(QRect(0, y, width, line), Qt::AlignLeft | Qt::AlignVCenter, text);
    y += line;
  }
  y += line / 2;

  const int columns = int(table.headers.size());
  if (columns > 0) {
    const int columnWidth = width / columns;
    auto drawRow = [&](const QStringList &cells, bool header) {
      if (y + line > page.height()) {
        newPage();
      }
      if (header) {
        p.fillRect(QRect(0, y, width, line), QColor(246, 211, 56));
        p.setFont(boldFont);
      } else {
        p.setFont(textFont);
      }
      for (int c = 0; c < columns; ++c) {
        const Qt::Alignment align =
            (table.rightAligned.contains(c) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        p.drawText(QRect(c * columnWidth + 4, y, columnWidth - 8, line), align,
                   p.fontMetrics().elidedText(cells.value(c), Qt::ElideRight, columnWidth - 8));
      }
      y += line;
    };
    drawRow(table.headers, true);
    for (const QStringList &row : table.rows)
      drawRow(row, false);
  }
  y += line / 2;
  p.setFont(boldFont);
  for (const QString &text : footerLines) {
    if (y + line > page.height())
      newPage();
    p.drawText(QRect(0, y, width, line), Qt::AlignRight | Qt::AlignVCenter, text);
    y += line;
  }
  p.end();
  return bytes;
}

} // namespace backend
