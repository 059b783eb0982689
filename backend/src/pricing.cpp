#include "pricing.h"

#include <wire/decimal.h>

#include <QStringList>

#include <cmath>

namespace backend {

double round2(double value)
{
  // The client's rounding, digit for digit: 1.005 gives 1.01 as the display
  // does (rounding value × 100 in binary gave 1.00).
  return wire::roundDecimal(value, 2);
}

QString discountText(const std::array<double, 4> &discounts)
{
  QStringList parts;
  for (double d : discounts)
    if (d > 0)
      parts.append(QString::number(d, 'g', 6));
  return parts.isEmpty() ? QStringLiteral("0") : parts.join(QLatin1Char('+'));
}

double afterDiscounts(double amount, const std::array<double, 4> &discounts)
{
  double n = amount;
  for (double r : discounts)
    if (r > 0)
      n -= n * r / 100.0;
  return n;
}

Quote quote(const CatalogPrice &catalog, bool campaignsAllowed)
{
  Quote q;
  q.listPrice = round2(catalog.listPrice);
  q.campaign = campaignsAllowed && catalog.campaignPrice > 0;
  if (q.campaign) {
    q.campaignPrice = round2(catalog.campaignPrice);
    q.price = q.campaignPrice;
    const double off = q.listPrice > 0 ? std::round((1.0 - q.campaignPrice / q.listPrice) * 100.0) : 0.0;
    q.discountText = QStringLiteral("%%1").arg(off, 0, 'f', 0);
  } else {
    q.price = q.listPrice;
    q.discounts = catalog.discounts;
    q.discountText = discountText(q.discounts);
  }
  q.netPrice = round2(afterDiscounts(q.price, q.discounts));
  q.grossPrice = round2(q.netPrice * (catalog.vatRate / 100.0 + 1.0));
  return q;
}

LineAmounts lineAmounts(double quantity, double unitPrice, const std::array<double, 4> &discounts,
                        double vatRate)
{
  LineAmounts a;
  a.gross = round2(quantity * unitPrice);
  a.net = round2(afterDiscounts(a.gross, discounts));
  a.discount = round2(a.gross - a.net);
  a.netUnit = quantity != 0 ? round2(a.net / quantity) : 0.0;
  a.vat = round2(a.net * vatRate / 100.0);
  return a;
}

} // namespace backend
