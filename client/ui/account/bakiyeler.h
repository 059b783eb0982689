#pragma once
// The balance orders' rules that need no window: the column table of the
// balance list, what each opener shows to each user type, the balance line a
// change is sent for, the price preview and the checks of a new price.

#include "widgets/datagrid.h"

#include <optional>

class ClientDataSet;

// The open balance lines of a dealer (the balance orders window).
QList<GridColumn> BakiyeKolonlari();

// Where the balance orders window was opened from.
enum class BakiyeAcilisi {
  Sekme,         // the main window's "Bakiyeler" tab
  SiparisMenusu, // "Sipariş Bakiyeleriniz" of the previous orders
  CariSecimi,    // "Bakiyelerini Göster" of the dealer selection
};

// Columns shown and offered for the opener and the user type (1, 2 sales
// staff, 3 dealer, 4 dealer without campaigns). True when "Fiyat Değiştir"
// is offered: only sales staff with price rights (type 2) change prices.
bool BakiyeKolonlariUygula(DataGrid &grid, BakiyeAcilisi acilis, int musteriTipi);

// The values of a balance line that a delete or a change sends or shows.
struct BakiyeSatiri {
  qint32 stokno = 0;    // STOK_STOKNO
  qint32 sirano = 0;    // SIRANO, sent as sepetsirano
  qint32 stokharNo = 0; // STOKHAR_NO, sent as siparissirano
  qint32 idno = 0;      // IDNO, the order of the line
  double miktar = 0;    // ordered quantity
  double kalan = 0;     // open balance
  double teslimEdilen = 0;
  double birimFiyat = 0;
  double indirimOrani = 0; // INDIRIMORANI1
  double kdv = 0;          // the line's VAT rate in %
  QString barkod, aciklama, finishKod, marka, model, eldeki;
};
// The line at dataset row `row`; none for a row out of range or a line
// without its order line number (nothing could be changed for it). Missing
// fields read as zero or empty.
std::optional<BakiyeSatiri> BakiyeSatiriOku(const ClientDataSet &bakiyesepet, int row);

// A number as the balance change dialog shows it: the shortest general form.
QString BakiyeSayisi(double value);

// The price preview: net = price less the discount, VAT-inclusive = net at
// the line's VAT rate; both "#,###,##00.00".
struct FiyatOnizlemesi {
  double net = 0;
  double kdvDahil = 0;
};
FiyatOnizlemesi FiyatOnizle(double fiyat, double indirimOrani, double kdvOrani);

// Checks a typed price and discount rate; on success fills `fiyat` and
// `indirimOrani` and returns an empty text, otherwise the warning to show.
QString FiyatKontrolEt(const QString &fiyatYazisi, const QString &indirimYazisi, double *fiyat,
                       double *indirimOrani);
