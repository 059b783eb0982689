#pragma once
// Prices as the wholesaler quotes them: list price, campaign price, up to
// four cascaded discounts, VAT. Amounts are rounded to two decimals, halves
// away from zero.

#include <QString>

#include <array>

namespace backend {

double round2(double value);

struct CatalogPrice {
  double listPrice = 0;
  double campaignPrice = 0; // 0: no campaign
  std::array<double, 4> discounts{};
  double vatRate = 20;
};

struct Quote {
  bool campaign = false;             // K
  double price = 0;                  // FIYAT: the unit price a basket line starts with
  double listPrice = 0;              // LISTEFIYAT1
  double campaignPrice = 0;          // KAMPFIYAT (0 when none)
  std::array<double, 4> discounts{}; // IND1..IND4
  QString discountText;              // INDIRIMYAZI
  double netPrice = 0;               // NETFIYAT
  double grossPrice = 0;             // KDVDAHIL
};

// `campaignsAllowed` is false for dealers without campaigns: they see list
// prices and their discounts only.
Quote quote(const CatalogPrice &catalog, bool campaignsAllowed);

// "20+5+3", or "0" when there is no discount.
QString discountText(const std::array<double, 4> &discounts);

// Amount after the cascaded discounts (not rounded).
double afterDiscounts(double amount, const std::array<double, 4> &discounts);

// One basket or order line's amounts.
struct LineAmounts {
  double gross = 0;    // TUTAR: quantity x unit price
  double discount = 0; // INDIRIMTUTAR
  double net = 0;      // NETTUTAR
  double netUnit = 0;  // NETBIRIMFIYAT
  double vat = 0;      // VERGITUTARI
};
LineAmounts lineAmounts(double quantity, double unitPrice, const std::array<double, 4> &discounts,
                        double vatRate);

} // namespace backend
