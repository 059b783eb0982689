#include "ui/common/excelyaz.h"

#include "ui/common/biff8.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <stdexcept>

namespace {

constexpr qsizetype kXlsxSatirSiniri = 1048576; // rows per sheet, header row included
constexpr qsizetype kXlsxKolonSiniri = 16384;
constexpr qsizetype kGenislikOrnegi = 1000; // rows looked at for the column widths

[[noreturn]] void hata(const QString &dosyaAdi, const QString &neden)
{
  throw std::runtime_error(QStringLiteral("Cannot write the Excel file '%1': %2")
                               .arg(QDir::toNativeSeparators(dosyaAdi), neden)
                               .toStdString());
}

// The table must fit a sheet's columns, and no row may hold cells without a column.
void denetle(const QString &dosyaAdi, const ExcelTablo &tablo, qsizetype kolonSiniri)
{
  const qsizetype kolonSayisi = tablo.kolonlar.size();
  if (kolonSayisi > kolonSiniri)
    hata(dosyaAdi, QStringLiteral("the list has %1 columns, a sheet holds at most %2")
                       .arg(kolonSayisi)
                       .arg(kolonSiniri));
  for (qsizetype r = 0; r < tablo.satirlar.size(); ++r) {
    if (tablo.satirlar[r].size() > kolonSayisi)
      hata(dosyaAdi, QStringLiteral("row %1 has %2 cells for %3 columns")
                         .arg(r + 1)
                         .arg(tablo.satirlar[r].size())
                         .arg(kolonSayisi));
  }
}

// Excel's serial day number: days since 30 December 1899, where Excel counts a
// 29 February 1900 that never was, so the days before March 1900 are one less.
std::optional<double> excelGunu(QDate tarih)
{
  static const qint64 sifir = QDate(1899, 12, 30).toJulianDay();
  if (tarih < QDate(1900, 1, 1) || tarih > QDate(9999, 12, 31))
    return std::nullopt;
  qint64 gun = tarih.toJulianDay() - sifir;
  if (gun < 61)
    --gun;
  return double(gun);
}

QString metinKes(QString s)
{
  if (s.size() > excel_ic::kMetinSiniri) {
    qsizetype n = excel_ic::kMetinSiniri;
    if (s[n - 1].isHighSurrogate())
      --n;
    s.truncate(n);
  }
  return s;
}

// Frees the workbook unless it was closed (which writes it).
struct KitapSil {
  void operator()(lxw_workbook *kitap) const { lxw_workbook_free(kitap); }
};
using KitapPtr = std::unique_ptr<lxw_workbook, KitapSil>;

void denetle(const QString &dosyaAdi, lxw_error sonuc)
{
  if (sonuc != LXW_NO_ERROR)
    hata(dosyaAdi, QString::fromUtf8(lxw_strerror(sonuc)));
}

// The workbook is built in a temporary file by the library, then copied into `cikti`.
void xlsxYaz(const QString &dosyaAdi, const ExcelTablo &tablo, QIODevice &cikti)
{
  using excel_ic::HucreTuru;
  QTemporaryFile gecici(QDir::tempPath() + QStringLiteral("/tarvesa-excel-XXXXXX.xlsx"));
  if (!gecici.open())
    hata(dosyaAdi, QStringLiteral("no temporary file: ") + gecici.errorString());
  gecici.close();
  const QByteArray geciciAd = QFile::encodeName(gecici.fileName());

  // Rows are written in order, so each sheet keeps only its current row in memory.
  lxw_workbook_options secenekler{};
  secenekler.constant_memory = LXW_TRUE;
  KitapPtr kitap(workbook_new_opt(geciciAd.constData(), &secenekler));
  if (!kitap)
    hata(dosyaAdi, QStringLiteral("the workbook could not be created"));

  const auto bicim = [&kitap](const QString &numara) {
    lxw_format *f = workbook_add_format(kitap.get());
    if (!numara.isEmpty())
      format_set_num_format(f, numara.toUtf8().constData());
    return f;
  };
  lxw_format *baslikBicimi = workbook_add_format(kitap.get());
  format_set_bold(baslikBicimi);
  lxw_format *tarihBicimi = bicim(QString::fromLatin1(excel_ic::kTarihBicimi));
  lxw_format *tarihSaatBicimi = bicim(QString::fromLatin1(excel_ic::kTarihSaatBicimi));
  QList<lxw_format *> kolonBicimleri;
  for (const ExcelKolon &k : tablo.kolonlar)
    kolonBicimleri.append(k.sayiBicimi.isEmpty() ? nullptr : bicim(k.sayiBicimi));

  const QList<double> genislikler = excel_ic::KolonGenislikleri(tablo);
  const auto kolonSayisi = lxw_col_t(tablo.kolonlar.size());
  constexpr qsizetype kSayfaBasinaSatir = kXlsxSatirSiniri - 1;
  const qsizetype sayfaSayisi =
      std::max<qsizetype>(1, (tablo.satirlar.size() + kSayfaBasinaSatir - 1) / kSayfaBasinaSatir);
  for (qsizetype s = 0; s < sayfaSayisi; ++s) {
    lxw_worksheet *sayfa =
        workbook_add_worksheet(kitap.get(), QStringLiteral("Sayfa%1").arg(s + 1).toUtf8().constData());
    if (!sayfa)
      hata(dosyaAdi, QStringLiteral("the sheet could not be added"));
    for (lxw_col_t c = 0; c < kolonSayisi; ++c)
      denetle(dosyaAdi, worksheet_set_column(sayfa, c, c, genislikler[c], nullptr));
    for (lxw_col_t c = 0; c < kolonSayisi; ++c) {
      const QString baslik = metinKes(tablo.kolonlar[c].baslik);
      if (!baslik.isEmpty())
        denetle(dosyaAdi, worksheet_write_string(sayfa, 0, c, baslik.toUtf8().constData(), baslikBicimi));
    }
    const qsizetype ilk = s * kSayfaBasinaSatir;
    const qsizetype son = std::min(tablo.satirlar.size(), ilk + kSayfaBasinaSatir);
    lxw_row_t satir = 1;
    for (qsizetype r = ilk; r < son; ++r, ++satir) {
      const QList<QVariant> &hucreler = tablo.satirlar[r];
      for (lxw_col_t c = 0; c < lxw_col_t(hucreler.size()); ++c) {
        const excel_ic::Hucre h = excel_ic::HucreCoz(hucreler[c]);
        lxw_error sonuc = LXW_NO_ERROR;
        switch (h.tur) {
        case HucreTuru::Bos:
          break;
        case HucreTuru::Sayi:
          sonuc = worksheet_write_number(sayfa, satir, c, h.sayi, kolonBicimleri[c]);
          break;
        case HucreTuru::Tarih:
          sonuc = worksheet_write_number(sayfa, satir, c, h.sayi, tarihBicimi);
          break;
        case HucreTuru::TarihSaat:
          sonuc = worksheet_write_number(sayfa, satir, c, h.sayi, tarihSaatBicimi);
          break;
        case HucreTuru::Metin:
          sonuc = worksheet_write_string(sayfa, satir, c, h.metin.toUtf8().constData(), nullptr);
          break;
        }
        denetle(dosyaAdi, sonuc);
      }
    }
  }

  denetle(dosyaAdi, workbook_close(kitap.release()));

  if (!gecici.open())
    hata(dosyaAdi, gecici.errorString());
  QByteArray parca;
  while (!(parca = gecici.read(1 << 20)).isEmpty()) {
    if (cikti.write(parca) != parca.size())
      hata(dosyaAdi, cikti.errorString());
  }
  if (!gecici.atEnd())
    hata(dosyaAdi, gecici.errorString());
}

} // namespace

namespace excel_ic {

Hucre HucreCoz(const QVariant &deger)
{
  Hucre h;
  if (!deger.isValid() || deger.isNull())
    return h;
  switch (deger.typeId()) {
  case QMetaType::Bool:
    h.tur = HucreTuru::Sayi;
    h.sayi = deger.toBool() ? 1 : 0;
    return h;
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
  case QMetaType::Long:
  case QMetaType::ULong:
  case QMetaType::Short:
  case QMetaType::UShort:
  case QMetaType::SChar:
  case QMetaType::UChar:
  case QMetaType::Float:
  case QMetaType::Double:
    h.sayi = deger.toDouble();
    if (std::isfinite(h.sayi))
      h.tur = HucreTuru::Sayi;
    else
      h.sayi = 0;
    return h;
  case QMetaType::QDate: {
    const QDate tarih = deger.toDate();
    if (!tarih.isValid())
      return h;
    if (const auto gun = excelGunu(tarih)) {
      h.tur = HucreTuru::Tarih;
      h.sayi = *gun;
    } else {
      h.tur = HucreTuru::Metin;
      h.metin = tarih.toString(QStringLiteral("dd.MM.yyyy"));
    }
    return h;
  }
  case QMetaType::QDateTime: {
    const QDateTime an = deger.toDateTime();
    if (!an.isValid())
      return h;
    if (const auto gun = excelGunu(an.date())) {
      h.tur = HucreTuru::TarihSaat;
      h.sayi = *gun + an.time().msecsSinceStartOfDay() / 86400000.0;
    } else {
      h.tur = HucreTuru::Metin;
      h.metin = an.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    }
    return h;
  }
  default:
    h.metin = metinKes(deger.toString());
    if (!h.metin.isEmpty())
      h.tur = HucreTuru::Metin;
    return h;
  }
}

QList<double> KolonGenislikleri(const ExcelTablo &tablo)
{
  QList<double> genislikler;
  genislikler.reserve(tablo.kolonlar.size());
  for (const ExcelKolon &k : tablo.kolonlar)
    genislikler.append(double(k.baslik.size()) + 2);
  const qsizetype satirSayisi = std::min(tablo.satirlar.size(), kGenislikOrnegi);
  for (qsizetype r = 0; r < satirSayisi; ++r) {
    const QList<QVariant> &hucreler = tablo.satirlar[r];
    for (qsizetype c = 0; c < std::min(hucreler.size(), genislikler.size()); ++c) {
      const Hucre h = HucreCoz(hucreler[c]);
      double genislik = 0;
      switch (h.tur) {
      case HucreTuru::Bos:
        break;
      case HucreTuru::Sayi:
        genislik = 14;
        break;
      case HucreTuru::Tarih:
        genislik = 11;
        break;
      case HucreTuru::TarihSaat:
        genislik = 17;
        break;
      case HucreTuru::Metin:
        genislik = double(h.metin.size()) + 1;
        break;
      }
      genislikler[c] = std::max(genislikler[c], genislik);
    }
  }
  for (double &g : genislikler)
    g = std::clamp(g, 8.0, 60.0);
  return genislikler;
}

} // namespace excel_ic

void ExcelDosyasiYaz(const QString &dosyaAdi, const ExcelTablo &tablo)
{
  const bool xlsx = QFileInfo(dosyaAdi).suffix().compare(u"xlsx", Qt::CaseInsensitive) == 0;
  denetle(dosyaAdi, tablo, xlsx ? kXlsxKolonSiniri : biff8::kKolonSiniri);

  // QSaveFile writes beside the target and renames over it on commit; without
  // a commit the temporary file is removed and the target left as it was.
  QSaveFile dosya(dosyaAdi);
  if (!dosya.open(QIODevice::WriteOnly))
    hata(dosyaAdi, dosya.errorString());
  if (xlsx) {
    xlsxYaz(dosyaAdi, tablo, dosya);
  } else if (!biff8::BilesikDosyaYaz(dosya, biff8::CalismaKitabiAkisi(tablo))) {
    hata(dosyaAdi, dosya.error() != QFileDevice::NoError ? dosya.errorString()
                                                         : QStringLiteral("the workbook is too large"));
  }
  if (!dosya.commit())
    hata(dosyaAdi, dosya.errorString());
}
