#pragma once
// Legacy Excel 97-2003 workbooks: BIFF8 records in the "Workbook" stream of an
// OLE2 compound file.

class QByteArray;
class QIODevice;
struct ExcelTablo;

namespace biff8 {

inline constexpr int kSatirSiniri = 65536; // rows per sheet, header row included
inline constexpr int kKolonSiniri = 256;   // columns per sheet

// The "Workbook" stream of `tablo`: the workbook globals (fonts, formats, cell
// styles, sheet list, shared strings), then one sheet per kSatirSiniri - 1 data
// rows. The caller checks the column count first.
QByteArray CalismaKitabiAkisi(const ExcelTablo &tablo);

// Writes a compound file holding `akis` as its only stream, "Workbook".
// Returns false when `cikti` fails or the stream is too large for the format.
bool BilesikDosyaYaz(QIODevice &cikti, const QByteArray &akis);

} // namespace biff8
