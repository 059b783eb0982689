#pragma once
// The stock list tab's rules that need no window: letter folding of the
// search box, the column table, the price summary text and the layout
// switch at a window width of 1152 pixels.

#include "widgets/datagrid.h"

class QString;

// A character typed into the search box with the Turkish letters folded to
// their plain Latin forms ("ğ" → "g", "İ" → "I", "ı" → "I", ...) and shown in
// upper case.
QString AramaHarfi(const QString &typed);

// The columns of the stock list grid, in display order; the price summary
// column's text comes from `fiyatBilgisi` (a dataset row).
QList<GridColumn> StokKolonlari(std::function<QString(int row)> fiyatBilgisi);
inline constexpr const char *kFiyatBilgisi = "FIYATBILGISI"; // key of the price summary column

// The price summary of one stock row, each line ended by "\r\n".
QString FiyatBilgisiYazisi(double listeFiyat, double kampanyaFiyat, double netFiyat, double kdvDahil);

// The layout switch: at `windowWidth` 1152 or less the four price columns
// give way to the price summary and rows are 100 pixels high; above it the
// price columns come back and rows are 60. Campaign prices stay hidden when
// `kampanyaGizli` (dealers without campaigns).
void StokDuzeniUygula(DataGrid &grid, int windowWidth, bool kampanyaGizli);
