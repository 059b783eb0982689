#pragma once
// "Excel Kaydet" of the list windows: a list written as a spreadsheet file,
// a legacy Excel 97-2003 workbook (.xls) or an Office Open XML workbook (.xlsx).

#include <QList>
#include <QString>
#include <QVariant>

// One column of an exported list: the header caption and how numbers show.
struct ExcelKolon {
  QString baslik;     // caption in the header row
  QString sayiBicimi; // Excel number format for numeric cells, e.g. "#,##0.00"; empty = General
};

struct ExcelTablo {
  QList<ExcelKolon> kolonlar;
  QList<QList<QVariant>> satirlar; // one QVariant per column; rows may be shorter (missing cells blank)
};

// Writes `tablo` to `dosyaAdi`: ".xls" (case-insensitive) gives a BIFF8 workbook, ".xlsx" an OOXML
// workbook, any other extension a BIFF8 workbook under the name as given. The header row holds the
// captions (bold). Rows beyond a sheet's limit (65,536 rows in .xls, 1,048,576 in .xlsx, header
// included) continue on further sheets "Sayfa1", "Sayfa2", ..., each with the header row.
//
// Cells: int/uint/longlong/double/bool (as 1/0) become numbers in the column's number format;
// QDate/QDateTime become date serial numbers shown "dd.mm.yyyy" / "dd.mm.yyyy hh:mm" (dates Excel
// cannot hold, before 1900 or after 9999, are written as that text); null, invalid, NaN and
// infinite values and empty text are blank; everything else is its text, cut to 32,767 characters.
//
// The file is written to a temporary file in the same folder and renamed over the target, so a
// failed write leaves no file behind and an existing file untouched. Throws std::runtime_error
// naming the file when it cannot be written, when the table has more columns than a sheet holds
// (256 in .xls, 16,384 in .xlsx) or a row has more cells than there are columns.
void ExcelDosyasiYaz(const QString &dosyaAdi, const ExcelTablo &tablo);

// Shared by the two writers.
namespace excel_ic {

inline constexpr int kMetinSiniri = 32767; // characters in one cell
inline constexpr char kTarihBicimi[] = "dd.mm.yyyy";
inline constexpr char kTarihSaatBicimi[] = "dd.mm.yyyy hh:mm";

enum class HucreTuru : quint8 { Bos, Sayi, Tarih, TarihSaat, Metin };

struct Hucre {
  HucreTuru tur = HucreTuru::Bos;
  double sayi = 0; // Sayi, Tarih, TarihSaat (date serial number)
  QString metin;   // Metin, at most kMetinSiniri characters
};

Hucre HucreCoz(const QVariant &deger);

// Width of each column in characters: the caption and the cells of the first rows, 8 to 60.
QList<double> KolonGenislikleri(const ExcelTablo &tablo);

} // namespace excel_ic
