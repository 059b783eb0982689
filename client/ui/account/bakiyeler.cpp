#include "ui/account/bakiyeler.h"

#include "data/clientdataset.h"
#include "ui/common/formats.h"
#include "widgets/paraedit.h"

#include <cmath>

namespace {

using K = CellKind;

struct Ad {
  const char *field;
  const char *caption;
  CellKind kind = CellKind::Text;
};

void gizliEkle(QList<GridColumn> &c, std::initializer_list<Ad> list, bool offered)
{
  for (const Ad &a : list)
    c.append({.field = a.field,
              .caption = QString::fromUtf8(a.caption),
              .shown = false,
              .offered = offered,
              .kind = a.kind});
}

void goster(DataGrid &grid, std::initializer_list<const char *> keys, bool on)
{
  for (const char *key : keys) {
    grid.setColumnShown(QString::fromLatin1(key), on);
    grid.setColumnOffered(QString::fromLatin1(key), on);
  }
}

} // namespace

QList<GridColumn> BakiyeKolonlari()
{
  QList<GridColumn> c = {
      {.field = "VERILISTARIHI",
       .caption = "Sipariş Tarihi",
       .kind = K::WrappedText,
       .footer = FooterKind::Count},
      {.field = "BARKOD", .caption = "Barkod", .weight = 2},
      {.field = "FINISHKOD", .caption = "FinishKod", .weight = 2},
      {.field = "OEMNO", .caption = "OEMNo", .weight = 2},
      {.field = "STOKADI", .caption = "Stok Açıklama", .weight = 3, .kind = K::WrappedText},
      {.field = "MIKTAR", .caption = "Miktar", .footer = FooterKind::Sum},
      {.field = "BIRIMFIYAT", .caption = "Birim Fiyat", .kind = K::Money},
      {.field = "TUTAR", .caption = "Tutar", .kind = K::Money},
      {.field = "INDIRIMYAZI", .caption = "İn.Oranı%", .weight = 2, .kind = K::Centered},
      {.field = "NETBIRIMFIYAT", .caption = "Net Fiyat", .kind = K::Money},
      {.field = "KDV"},
      {.field = "VERGITUTARI", .caption = "Vergi Tutarı", .kind = K::Money},
      {.field = "NETTUTAR", .caption = "Net Tutar", .kind = K::Money},
      {.field = "VEREN", .caption = "Veren"},
      {.field = "TESLIMEDILEN", .caption = "Teslim Edilen"},
      {.field = "KALAN", .caption = "Kalan Bakiye", .footer = FooterKind::Sum},
      {.field = "DURUM", .caption = "Durum", .kind = K::StatusIcon, .searchable = false},
  };
  gizliEkle(c,
            {{"TARIH", "Tarih"},
             {"INDIRIMORANI1", "İn.Oranı%"},
             {"INDIRIMORANI2", ""},
             {"INDIRIMORANI3", ""},
             {"INDIRIMORANI4", ""},
             {"KUR", "Kur"},
             {"SAAT", "Saat"},
             {"ACIKLAMA", "Açıklama"},
             {"OEM1", ""},
             {"OEM2", ""},
             {"OEM3", ""},
             {"OEM4", ""},
             {"DIGERADI", ""},
             {"DPKOD", ""},
             {"MARKA", "Marka"},
             {"MODEL", "Model"},
             {"ANAGRUP", "Ana Grup"},
             {"OZELKOD", "Özel Kod"},
             {"PKOD", ""}},
            true);
  gizliEkle(c,
            {{"ILKFIYAT", "İlk Fiyat", K::Money},
             {"ELDEKI", "Eldeki"},
             {"ALINANSIPARIS", ""},
             {"VERILENSIPARIS", ""}},
            false);
  gizliEkle(c,
            {{"SIRANO", ""},
             {"SIPARISNO", ""},
             {"AKTAR", ""},
             {"STOKNO", ""},
             {"INDIRIMTUTAR", ""},
             {"KURTL", ""},
             {"VERENIDNO", ""},
             {"TESLIMID", ""},
             {"KARGOID", ""},
             {"IDNO", ""},
             {"VERENSIRANO", ""},
             {"CARIKOD", ""},
             {"CARIADI", ""},
             {"STOK_STOKNO", ""},
             {"URETICIKODU", ""},
             {"TESLIM", ""},
             {"KARGO", ""},
             {"STOKHAR_NO", ""}},
            false);
  return c;
}

bool BakiyeKolonlariUygula(DataGrid &grid, BakiyeAcilisi acilis, int musteriTipi)
{
  const bool satici = musteriTipi == 1 || musteriTipi == 2;
  const bool fiyatYetkisi = musteriTipi == 2;
  if (fiyatYetkisi)
    goster(grid, {"ILKFIYAT"}, true);
  switch (acilis) {
  case BakiyeAcilisi::Sekme:
    if (satici)
      goster(grid, {"ELDEKI", "ALINANSIPARIS", "VERILENSIPARIS"}, true);
    if (musteriTipi == 3)
      goster(grid, {"DURUM"}, false);
    break;
  case BakiyeAcilisi::SiparisMenusu:
    if (satici)
      goster(grid, {"ELDEKI"}, true);
    if (musteriTipi == 3)
      goster(grid, {"DURUM"}, false);
    break;
  case BakiyeAcilisi::CariSecimi:
    goster(grid, {"ELDEKI", "ALINANSIPARIS", "VERILENSIPARIS"}, true);
    break;
  }
  return fiyatYetkisi;
}

std::optional<BakiyeSatiri> BakiyeSatiriOku(const ClientDataSet &ds, int row)
{
  if (row < 0 || row >= ds.RecordCount())
    return std::nullopt;
  auto value = [&](const char *name) {
    const Field *f = ds.FindField(QString::fromLatin1(name));
    return f ? ds.CellValue(row, f->Index()) : QVariant();
  };
  const QVariant stokhar = value("STOKHAR_NO");
  if (stokhar.isNull() || stokhar.toInt() <= 0)
    return std::nullopt;
  BakiyeSatiri s;
  s.stokno = value("STOK_STOKNO").toInt();
  s.sirano = value("SIRANO").toInt();
  s.stokharNo = stokhar.toInt();
  s.idno = value("IDNO").toInt();
  s.miktar = value("MIKTAR").toDouble();
  s.kalan = value("KALAN").toDouble();
  s.teslimEdilen = value("TESLIMEDILEN").toDouble();
  s.birimFiyat = value("BIRIMFIYAT").toDouble();
  s.indirimOrani = value("INDIRIMORANI1").toDouble();
  s.kdv = value("KDV").toDouble();
  s.barkod = value("BARKOD").toString();
  s.aciklama = value("ACIKLAMA").toString();
  s.finishKod = value("FINISHKOD").toString();
  s.marka = value("MARKA").toString();
  s.model = value("MODEL").toString();
  const QVariant eldeki = value("ELDEKI");
  s.eldeki = eldeki.typeId() == QMetaType::Double ? BakiyeSayisi(eldeki.toDouble()) : eldeki.toString();
  return s;
}

QString BakiyeSayisi(double value)
{
  return QString::number(value, 'g', 15);
}

FiyatOnizlemesi FiyatOnizle(double fiyat, double indirimOrani, double kdvOrani)
{
  FiyatOnizlemesi o;
  o.net = indirimOrani > 0 ? fiyat - indirimOrani * fiyat / 100.0 : fiyat;
  o.kdvDahil = o.net * (1.0 + kdvOrani / 100.0);
  return o;
}

QString FiyatKontrolEt(const QString &fiyatYazisi, const QString &indirimYazisi, double *fiyat,
                       double *indirimOrani)
{
  double f = 0, d = 0;
  if (!ParaEdit::parse(fiyatYazisi, &f) || !std::isfinite(f) || f < 0)
    return QStringLiteral("Lütfen geçerli bir fiyat giriniz !");
  const QString indirim = indirimYazisi.trimmed();
  if (!indirim.isEmpty() && (!ParaEdit::parse(indirim, &d) || !std::isfinite(d)))
    return QStringLiteral("Lütfen geçerli bir indirim oranı giriniz !");
  if (d < 0 || d > 100)
    return QStringLiteral("İndirim oranı 0 ile 100 arasında olmalıdır !");
  *fiyat = f;
  *indirimOrani = d;
  return {};
}
