#pragma once
// PDF documents the server renders: online payment receipts and reports.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace backend {

struct PdfTable {
  QStringList headers;
  QList<QStringList> rows;
  QList<int> rightAligned; // column indexes of amounts
};

// A one-table PDF with a title block; more pages as needed.
QByteArray renderPdf(const QString &title, const QStringList &headerLines, const PdfTable &table,
                     const QStringList &footerLines = {});

// Amount in the Turkish form: 1.234,50
QString turkishMoney(double value);

} // namespace backend
