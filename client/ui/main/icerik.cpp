#include "ui/main/icerik.h"

namespace {
using K = CellKind;

// The identity columns both lists open with.
QList<GridColumn> kimlikKolonlari(bool resim)
{
  QList<GridColumn> c = {
      {.field = "OEM1", .caption = "Oem1", .shown = false, .weight = 2},
      {.field = "OEM2", .caption = "Oem2", .shown = false, .weight = 2},
      {.field = "OEM3", .caption = "Oem3", .shown = false, .weight = 2},
      {.field = "BARKOD",
       .caption = "Barkod",
       .weight = 2,
       .kind = K::WrappedText,
       .footer = FooterKind::Count},
      {.field = "ADI", .caption = "Açıklama", .weight = 3, .kind = K::WrappedText},
      {.field = "OEM4", .caption = "Oem4", .shown = false, .weight = 2},
      {.field = "STOK_STOKNO", .shown = false, .offered = false},
  };
  if (resim)
    c.append({.field = "RESIM", .caption = "Resim", .kind = K::PictureMarker});
  c += {
      {.field = "FINISHKOD", .caption = "Finish Kod", .weight = 2, .kind = K::WrappedText},
      {.field = "URETICIKODU", .caption = "Üretici Kod", .shown = false, .weight = 2},
      {.field = "BARKOD_BARKODNO", .shown = false, .offered = false},
      {.field = "DIGERADI", .caption = "Diğer Adı", .shown = false, .weight = 3},
      {.field = "DPKOD", .shown = false, .offered = false, .weight = 2},
      {.field = "OEMNO", .caption = "Oem No", .shown = false, .weight = 2},
      {.field = "BIRIM", .caption = "Birim"},
      {.field = "MARKA", .caption = "Marka", .weight = 2, .kind = K::WrappedText},
      {.field = "MODEL", .caption = "Model", .weight = 2, .kind = K::WrappedText},
      {.field = "ANAGRUP", .caption = "Ana Grup", .shown = false, .weight = 2},
      {.field = "OZELKOD", .caption = "Özel Kod", .shown = false, .weight = 2},
      {.field = "KALAN", .shown = false, .offered = false},
      {.field = "PKOD", .shown = false, .offered = false},
      {.field = "KDV", .shown = false},
      {.field = "ALINANSIPARIS", .shown = false, .offered = false},
      {.field = "VERILENSIPARIS", .shown = false, .offered = false},
  };
  return c;
}
} // namespace

QList<GridColumn> YeniKolonlari()
{
  QList<GridColumn> c = kimlikKolonlari(false);
  c += {
      {.field = "FIYAT", .caption = "Liste Fiyatı2", .shown = false, .weight = 2, .kind = K::Money},
      {.field = "K", .caption = "Kampanyalı", .kind = K::YesIcon},
      {.field = "LISTEFIYAT1", .caption = "Liste Fiyatı", .weight = 2, .kind = K::Money},
      {.field = "KAMPFIYAT", .caption = "Kampanyalı Fiyatı", .weight = 2, .kind = K::Money},
      {.field = "INDIRIMYAZI", .caption = "Indirim Oran", .weight = 2, .kind = K::Centered},
      {.field = "INDIRIM", .caption = "İndirim Oran", .shown = false, .offered = false},
      {.field = "NETFIYAT", .caption = "Net Fiyatı", .weight = 2, .kind = K::Money},
      {.field = "KDVDAHIL", .caption = "KDV Dahil Fiyat", .weight = 2, .kind = K::Money},
  };
  return c;
}

QList<GridColumn> KampanyaKolonlari()
{
  QList<GridColumn> c = kimlikKolonlari(true);
  c += {
      {.field = "ESKIFIYAT", .caption = "Liste Fiyatı", .weight = 2, .kind = K::Money},
      {.field = "FIYAT", .caption = "Kampanyalı Fiyatı", .weight = 2, .kind = K::Money},
      {.field = "Y", .caption = "Yeni", .kind = K::YesNoIcon},
      {.field = "K", .caption = "Kampanyalı", .kind = K::YesNoIcon},
      {.field = "INDIRIM", .caption = "İndirim Oran", .shown = false, .offered = false},
      {.field = "INDIRIMYAZI", .caption = "İndirim Oran", .weight = 2, .kind = K::Centered},
      {.field = "NETFIYAT", .caption = "Net Fiyatı", .weight = 2, .kind = K::Money},
      {.field = "KDVDAHIL", .caption = "KDV Dahil Fiyat", .weight = 2, .kind = K::Money},
      {.field = "DURUM", .caption = "Durum", .kind = K::StatusIcon},
  };
  return c;
}
