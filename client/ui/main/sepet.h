#pragma once
// The basket tab's rules that need no window: its column table and the
// totals of the marked lines.

#include "widgets/datagrid.h"

class ClientDataSet;

// The basket's grid columns.
QList<GridColumn> SepetKolonlari();

// Totals of the marked basket lines, each step rounded to two decimals.
struct SepetToplami {
  double toplam = 0;  // before discount
  double indirim = 0; // discount
  double net = 0;     // toplam − indirim
  double vergi = 0;   // VAT
  double genel = 0;   // net + VAT
};
// Runs over every line with the dataset's controls off; the cursor returns
// to the line it was on.
SepetToplami SepetToplamHesapla(ClientDataSet &sepet);
// The discount and VAT rows show only above 1.
inline bool ToplamSatiriGoster(double value)
{
  return value > 1;
}
