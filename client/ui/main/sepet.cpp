#include "ui/main/sepet.h"

#include "data/clientdataset.h"
#include "ui/common/formats.h"

QList<GridColumn> SepetKolonlari()
{
  using K = CellKind;
  QList<GridColumn> c = {
      {.field = "SEC", .caption = "Seç", .offered = false, .kind = K::CheckBox, .searchable = false},
      {.field = "VERILISTARIHI", .caption = "Sipariş Tarihi", .footer = FooterKind::Count},
      {.field = "BARKOD", .caption = "Barkod", .weight = 2},
      {.field = "FINISHKOD", .caption = "FinishKod", .weight = 2},
      {.field = "OEMNO", .caption = "OEMNo", .weight = 2},
      {.field = "STOKADI", .caption = "Stok Açıklama", .weight = 3},
      {.field = "MIKTAR", .caption = "Miktar", .footer = FooterKind::Sum},
      {.field = "BIRIMFIYAT", .caption = "Birim Fiyat", .kind = K::Money},
      {.field = "TUTAR", .caption = "Tutar", .kind = K::Money},
      {.field = "INDIRIMYAZI", .caption = "İndirim Oran", .weight = 2, .kind = K::Centered},
      {.field = "NETBIRIMFIYAT", .caption = "Net Fiyat", .kind = K::Money},
      {.field = "NETTUTAR", .caption = "Net Tutar", .kind = K::Money, .footer = FooterKind::Sum},
      {.field = "VEREN", .caption = "Veren"},
      {.field = "DURUM", .caption = "Durum", .kind = K::StatusIcon},
  };
  // Hidden; the user may show them.
  const std::pair<const char *, const char *> offered[] = {
      {"SIPARISNO", "Sipariş No"},
      {"TARIH", "Tarih"},
      {"KDV", ""},
      {"VERGITUTARI", "Vergi Tutarı"},
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
      {"INDIRIMORANI4", ""},
  };
  for (const auto &[field, caption] : offered)
    c.append({.field = field, .caption = QString::fromUtf8(caption), .shown = false});
  // Hidden and not offered.
  const std::pair<const char *, const char *> internal[] = {
      {"SIRANO", ""},
      {"CARINO", ""},
      {"AKTAR", ""},
      {"STOKNO", ""},
      {"INDIRIMORANI1", "İndirim Oranı %"},
      {"INDIRIMORANI2", ""},
      {"INDIRIMORANI3", ""},
      {"INDIRIMTUTAR", "İndirim Tutar"},
      {"KURTL", ""},
      {"VERENIDNO", ""},
      {"TESLIMID", ""},
      {"KARGOID", ""},
      {"IDNO", ""},
      {"VERENSIRANO", ""},
      {"CARIKOD", "Cari Kod"},
      {"CARIADI", "Cari Adı"},
      {"STOK_STOKNO", ""},
      {"URETICIKODU", ""},
      {"KALAN", "Kalan"},
  };
  for (const auto &[field, caption] : internal)
    c.append({.field = field, .caption = QString::fromUtf8(caption), .shown = false, .offered = false});
  return c;
}

SepetToplami SepetToplamHesapla(ClientDataSet &sepet)
{
  SepetToplami t;
  if (!sepet.Active())
    return t;
  const Field *sec = sepet.FindField(QStringLiteral("SEC"));
  const Field *tutar = sepet.FindField(QStringLiteral("TUTAR"));
  const Field *indirim = sepet.FindField(QStringLiteral("INDIRIMTUTAR"));
  const Field *vergi = sepet.FindField(QStringLiteral("VERGITUTARI"));
  sepet.DisableControls();
  const int recNo = sepet.RecNo();
  sepet.First();
  while (!sepet.Eof()) {
    if (sec && sec->AsInteger() == 1) {
      t.toplam = IkiHaneYuvarla(t.toplam + (tutar ? tutar->AsFloat() : 0));
      t.indirim = IkiHaneYuvarla(t.indirim + (indirim ? indirim->AsFloat() : 0));
      t.vergi = IkiHaneYuvarla(t.vergi + (vergi ? vergi->AsFloat() : 0));
    }
    sepet.Next();
  }
  sepet.SetRecNo(recNo); // the focused line stays focused
  sepet.EnableControls();
  t.net = IkiHaneYuvarla(t.toplam - t.indirim);
  t.genel = IkiHaneYuvarla(t.vergi + t.net);
  return t;
}
