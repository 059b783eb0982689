#include "ui/main/stoklistesi.h"

#include "ui/common/formats.h"
#include "widgets/kolongenislik.h"

#include <QString>

QString AramaHarfi(const QString &typed)
{
  QString out;
  out.reserve(typed.size());
  for (const QChar c : typed) {
    switch (c.unicode()) {
    case u'ğ':
    case u'Ğ':
      out += QLatin1Char('G');
      break;
    case u'ü':
    case u'Ü':
      out += QLatin1Char('U');
      break;
    case u'ş':
    case u'Ş':
      out += QLatin1Char('S');
      break;
    case u'ö':
    case u'Ö':
      out += QLatin1Char('O');
      break;
    case u'ç':
    case u'Ç':
      out += QLatin1Char('C');
      break;
    case u'İ':
    case u'ı':
      out += QLatin1Char('I');
      break;
    default:
      out += c.toUpper();
    }
  }
  return out;
}

QList<GridColumn> StokKolonlari(std::function<QString(int row)> fiyatBilgisi)
{
  using K = CellKind;
  QList<GridColumn> c = {
      {.field = "OEM1", .caption = "Oem1", .shown = false, .weight = 2, .kind = K::WrappedText},
      {.field = "OEM2", .caption = "Oem2", .shown = false, .weight = 2, .kind = K::WrappedText},
      {.field = "OEM3", .caption = "Oem3", .shown = false, .weight = 2, .kind = K::WrappedText},
      {.field = "BARKOD",
       .caption = "Barkod",
       .weight = 2,
       .kind = K::WrappedText,
       .footer = FooterKind::Count},
      {.field = "ADI", .caption = "Açıklama", .weight = 3, .kind = K::WrappedText},
      {.field = "OEM4", .caption = "Oem4", .shown = false, .weight = 2},
      {.field = "STOK_STOKNO", .shown = false, .offered = false},
      {.field = "FINISHKOD", .caption = "Finish Kod", .shown = false, .weight = 2},
      {.field = "URETICIKODU", .caption = "Üretici Kod", .shown = false, .weight = 2},
      {.field = "RESIM", .caption = "Resim", .kind = K::PictureMarker},
      {.field = "BARKOD_BARKODNO", .shown = false, .offered = false},
      {.field = "DIGERADI", .caption = "Diğer Adı", .shown = false, .weight = 3},
      {.field = "DPKOD", .shown = false, .offered = false, .weight = 2},
      {.field = "OEMNO", .caption = "Oem No", .shown = false, .weight = 2},
      {.field = "BIRIM", .caption = "Birim", .shown = false},
      {.field = "MARKA", .caption = "Marka", .weight = 2},
      {.field = "MODEL", .caption = "Model", .weight = 2},
      {.field = "ANAGRUP", .caption = "Ana Grup", .shown = false, .weight = 2},
      {.field = "OZELKOD", .caption = "Özel Kod", .weight = 2},
      {.field = "KALAN", .shown = false, .offered = false},
      {.field = "PKOD", .shown = false, .offered = false},
      {.field = "KDV", .shown = false},
      {.field = "ALINANSIPARIS", .shown = false, .offered = false},
      {.field = "VERILENSIPARIS", .shown = false, .offered = false},
      {.field = "LISTEFIYAT1", .caption = "Liste Fiyatı", .shown = false, .weight = 2, .kind = K::Money},
      {.field = "KAMPFIYAT", .caption = "Kampanyalı Fiyat", .shown = false, .weight = 2, .kind = K::Money},
      {.field = "FIYAT", .caption = "Liste Fiyatı", .shown = false, .weight = 2, .kind = K::Money},
      {.field = "Y", .caption = "Yeni", .kind = K::YesNoIcon},
      {.field = "K", .caption = "Kampanyalı", .kind = K::YesNoIcon},
      {.field = "INDIRIMYAZI", .caption = "İndirim Oran", .weight = 2, .kind = K::Centered},
      {.field = "NETFIYAT", .caption = "Net Fiyatı", .shown = false, .weight = 2, .kind = K::Money},
      {.field = "KDVDAHIL", .caption = "KDV Dahil Fiyat", .weight = 3, .kind = K::Money},
      {.name = kFiyatBilgisi, .caption = "Fiyat Bilgisi", .weight = 2, .kind = K::OwnerDrawn},
      {.field = "DURUM", .caption = "Depo1", .kind = K::StatusIcon},
      {.field = "DEPO2", .caption = "Depo2", .kind = K::StoreIcon},
  };
  for (GridColumn &column : c)
    if (column.key() == QLatin1String(kFiyatBilgisi))
      column.text = std::move(fiyatBilgisi);
  return c;
}

QString FiyatBilgisiYazisi(double listeFiyat, double kampanyaFiyat, double netFiyat, double kdvDahil)
{
  const QString crlf = QStringLiteral("\r\n");
  QString text = QStringLiteral("Liste Fiyatı: ") + FormatFloat(kParaBicimi, listeFiyat) + crlf;
  if (kampanyaFiyat > 0)
    text += QStringLiteral("Kampanyalı Fiyat: ") + FormatFloat(kParaBicimi, kampanyaFiyat) + crlf;
  text += QStringLiteral("NetFiyat: ") + FormatFloat(kParaBicimi, netFiyat) + crlf;
  text += QStringLiteral("KDV li Fiyat: ") + FormatFloat(kParaBicimi, kdvDahil) + crlf;
  return text;
}

void StokDuzeniUygula(DataGrid &grid, int windowWidth, bool kampanyaGizli)
{
  grid.lockView();
  const bool dar = !AgirlikliKullan(windowWidth);
  for (const char *key : {"KDVDAHIL", "NETFIYAT", "LISTEFIYAT1"})
    grid.setColumnShown(QString::fromLatin1(key), !dar);
  grid.setColumnShown(QStringLiteral("KAMPFIYAT"), !dar && !kampanyaGizli);
  grid.setColumnShown(QString::fromLatin1(kFiyatBilgisi), dar);
  grid.setRowHeight(dar ? 100 : 60);
  grid.applyWeightedWidths(grid.width());
  if (dar) {
    for (const char *key : {"OEM1", "OEM2", "OEM3"})
      grid.setColumnWidth(QString::fromLatin1(key), 80);
    grid.setColumnWidth(QString::fromLatin1(kFiyatBilgisi), 150);
  }
  grid.unlockView();
}
