#include "ui/account/siparisler.h"

#include "data/clientdataset.h"
#include "ui/common/formats.h"

#include <QFontMetrics>

namespace {

using K = CellKind;

struct Ad {
  const char *field;
  const char *caption;
};

void gizliEkle(QList<GridColumn> &c, std::initializer_list<Ad> list, bool offered)
{
  for (const Ad &a : list)
    c.append({.field = a.field, .caption = QString::fromUtf8(a.caption), .shown = false, .offered = offered});
}

// The columns the user may add to an order line grid, beyond its own.
const std::initializer_list<Ad> kSatirSecmeli = {
    {"TARIH", "Tarih"},
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
    {"PKOD", ""},
};

// The keys of an order line no grid offers.
const std::initializer_list<Ad> kSatirAnahtarlari = {
    {"SIRANO", ""},      {"CARINO", ""},    {"AKTAR", ""},    {"STOKNO", ""},      {"INDIRIMTUTAR", ""},
    {"KURTL", ""},       {"VERENIDNO", ""}, {"TESLIMID", ""}, {"KARGOID", ""},     {"IDNO", ""},
    {"VERENSIRANO", ""}, {"CARIKOD", ""},   {"CARIADI", ""},  {"STOK_STOKNO", ""}, {"URETICIKODU", ""},
    {"TESLIM", ""},      {"KARGO", ""},
};

} // namespace

QList<GridColumn> OncekiKolonlari()
{
  QList<GridColumn> c = {
      {.field = "CARINO", .shown = false, .offered = false},
      {.field = "IDNO", .caption = "Sipariş No", .footer = FooterKind::Count},
      {.field = "TARIH", .caption = "Tarih"},
      {.field = "KUR", .caption = "Kur", .shown = false, .offered = false},
      {.field = "KURTL", .caption = "Kur TL", .shown = false, .offered = false},
      {.field = "VERENIDNO", .shown = false, .offered = false},
      {.field = "KARGO", .caption = "Kargo Türü"},
      {.field = "TESLIM", .caption = "Teslim"},
      {.field = "VEREN", .caption = "Veren"},
      {.field = "CARIKOD", .caption = "Cari Kod", .shown = false},
      {.field = "CARIADI", .caption = "Cari Adı", .shown = false},
      {.field = "VERGI", .caption = "Vergi Tutarı", .kind = K::Money, .footer = FooterKind::Sum},
      {.field = "NETTUTAR", .caption = "Net Tutar", .kind = K::Money, .footer = FooterKind::Sum},
      {.field = "TUTAR", .caption = "Tutar", .kind = K::Money, .footer = FooterKind::Sum},
      {.field = "DURUM", .caption = "Durum"},
      {.field = "KARGOADI", .caption = "Kargo Adı"},
      {.field = "VERENINNOTU", .caption = "Verenin Notu", .kind = K::WrappedText},
      {.field = "ALANNOTU", .caption = "Alanın Notu", .kind = K::WrappedText},
  };
  return c;
}

QList<GridColumn> SiparisAyrintiKolonlari()
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
      {.field = "SIPARISNO", .caption = "Sipariş No", .shown = false, .weight = 0},
  };
  gizliEkle(
      c,
      {{"INDIRIMORANI1", "İn.Oranı%"}, {"INDIRIMORANI2", ""}, {"INDIRIMORANI3", ""}, {"INDIRIMORANI4", ""}},
      true);
  gizliEkle(c, kSatirSecmeli, true);
  gizliEkle(c, kSatirAnahtarlari, false);
  return c;
}

QList<GridColumn> SiparisHareketKolonlari()
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
      {.field = "INDIRIMORANI1", .caption = "İn.Oranı%", .kind = K::Centered},
      {.field = "NETBIRIMFIYAT", .caption = "Net Fiyat", .kind = K::Money},
      {.field = "KDV"},
      {.field = "VERGITUTARI", .caption = "Vergi Tutarı", .kind = K::Money},
      {.field = "NETTUTAR", .caption = "Net Tutar", .kind = K::Money},
      {.field = "VEREN", .caption = "Veren"},
      {.field = "TESLIMEDILEN", .caption = "Teslim Edilen"},
      {.field = "KALAN", .caption = "Kalan Bakiye", .footer = FooterKind::Sum},
      {.field = "DURUM", .caption = "Durum", .kind = K::StatusIcon, .searchable = false},
  };
  gizliEkle(c, kSatirSecmeli, true);
  gizliEkle(c,
            {{"ILKFIYAT", "İlk Fiyat"}, {"ELDEKI", "Eldeki"}, {"ALINANSIPARIS", ""}, {"VERILENSIPARIS", ""}},
            false);
  gizliEkle(c, {{"SIPARISNO", ""}, {"INDIRIMORANI2", ""}, {"INDIRIMORANI3", ""}, {"STOKHAR_NO", ""}}, false);
  gizliEkle(c, kSatirAnahtarlari, false);
  return c;
}

SiparisToplami SiparisToplamHesapla(ClientDataSet &sepet)
{
  SiparisToplami t;
  if (sepet.Active()) {
    const Field *tutar = sepet.FindField(QStringLiteral("TUTAR"));
    const Field *indirim = sepet.FindField(QStringLiteral("INDIRIMTUTAR"));
    const Field *vergi = sepet.FindField(QStringLiteral("VERGITUTARI"));
    const Field *kdv = sepet.FindField(QStringLiteral("KDV"));
    sepet.DisableControls();
    for (sepet.First(); !sepet.Eof(); sepet.Next()) {
      const double satirTutari = tutar ? tutar->AsFloat() : 0;
      const double satirIndirimi = indirim ? indirim->AsFloat() : 0;
      t.toplam = IkiHaneYuvarla(t.toplam + satirTutari);
      t.indirim = IkiHaneYuvarla(t.indirim + satirIndirimi);
      // Each line's own VAT, as the basket and the order list count it.
      const double satirVergisi = vergi ? vergi->AsFloat()
                                        : IkiHaneYuvarla(IkiHaneYuvarla(satirTutari - satirIndirimi) *
                                                         (kdv ? kdv->AsFloat() : 0) / 100.0);
      t.vergi = IkiHaneYuvarla(t.vergi + satirVergisi);
    }
    sepet.EnableControls();
  }
  t.net = IkiHaneYuvarla(t.toplam - t.indirim);
  t.genel = IkiHaneYuvarla(t.net + t.vergi);
  return t;
}

QString AlanNotuYazisi(const QString &bizimMesaj, const QString &saticiNotu)
{
  if (saticiNotu.trimmed().isEmpty())
    return bizimMesaj;
  QStringList lines;
  if (!bizimMesaj.isEmpty())
    lines.append(bizimMesaj);
  lines << QStringLiteral("----------------------") << QStringLiteral("Satıcı Notu:") << saticiNotu;
  return lines.join(QLatin1Char('\n'));
}

void AltToplamlariSigdir(DataGrid &grid)
{
  QFont bold = grid.font(); // the footer row is bold
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  for (int i : grid.shownColumns()) {
    const GridColumn &c = grid.columns().at(i);
    if (c.footer == FooterKind::None)
      continue;
    const int need = metrics.horizontalAdvance(grid.footerText(c.key())) + 16;
    if (grid.columnWidth(c.key()) < need)
      grid.setColumnWidth(c.key(), need);
  }
}

void SatirGenislikleriUygula(DataGrid &grid, int screenWidth)
{
  grid.lockView();
  grid.applyWidthRule(screenWidth);
  AltToplamlariSigdir(grid);
  grid.unlockView();
}

void HareketKolonlariUygula(DataGrid &grid, int musteriTipi)
{
  switch (musteriTipi) {
  case 1:
  case 2:
    grid.setColumnShown(QStringLiteral("ELDEKI"), true);
    grid.setColumnOffered(QStringLiteral("ELDEKI"), true);
    break;
  case 3:
    grid.setColumnShown(QStringLiteral("DURUM"), false);
    grid.setColumnOffered(QStringLiteral("DURUM"), false);
    break;
  default:
    break;
  }
}
