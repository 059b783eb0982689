#pragma once
// The order history's rules that need no window: the column tables of the
// order list, the order detail and the order movements, the totals of an
// order, the text of the order taker's note and the movements' user-type
// adaptation.

#include "widgets/datagrid.h"

class ClientDataSet;

// The previous orders list (the "Önceki Siparişler" tab).
QList<GridColumn> OncekiKolonlari();
// The lines of one order (the order detail window).
QList<GridColumn> SiparisAyrintiKolonlari();
// Every order line of the dealer (the order movements window).
QList<GridColumn> SiparisHareketKolonlari();

// Totals of an order's lines, each step rounded to two decimals.
struct SiparisToplami {
  double toplam = 0;  // before discount
  double indirim = 0; // discount
  double net = 0;     // toplam − indirim
  double vergi = 0;   // the lines' VAT (VERGITUTARI, or the net at each line's KDV rate)
  double genel = 0;   // net + vergi
};
// Runs over every line with the dataset's controls off and leaves the cursor
// past the last line. A closed dataset or a missing field counts as zero.
SiparisToplami SiparisToplamHesapla(ClientDataSet &sepet);

// The order taker's note as the detail window shows it: the note, then a
// non-blank salesperson's note below a separator line and "Satıcı Notu:".
QString AlanNotuYazisi(const QString &bizimMesaj, const QString &saticiNotu);

// Widens the columns whose footer (a count or a sum) would not fit.
void AltToplamlariSigdir(DataGrid &grid);
// The widths of an order line grid: the weighted rule on screens wider than
// 1152 pixels, best fit below, then room for the footer sums.
void SatirGenislikleriUygula(DataGrid &grid, int screenWidth);

// The movements grid for a user type: sales staff (1, 2) see and may choose
// "Eldeki"; dealers (3) neither see nor may choose "Durum".
void HareketKolonlariUygula(DataGrid &grid, int musteriTipi);
