#include "ui/common/biff8.h"

#include "ui/common/excelyaz.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using excel_ic::Hucre;
using excel_ic::HucreTuru;

// Record identifiers.
constexpr quint16 kBof = 0x0809;
constexpr quint16 kEof = 0x000A;
constexpr quint16 kCodepage = 0x0042;
constexpr quint16 kWindow1 = 0x003D;
constexpr quint16 kDatemode = 0x0022;
constexpr quint16 kFont = 0x0031;
constexpr quint16 kFormat = 0x041E;
constexpr quint16 kXf = 0x00E0;
constexpr quint16 kStyle = 0x0293;
constexpr quint16 kBoundsheet = 0x0085;
constexpr quint16 kSst = 0x00FC;
constexpr quint16 kContinue = 0x003C;
constexpr quint16 kExtsst = 0x00FF;
constexpr quint16 kColinfo = 0x007D;
constexpr quint16 kDimensions = 0x0200;
constexpr quint16 kNumber = 0x0203;
constexpr quint16 kLabelsst = 0x00FD;
constexpr quint16 kBlank = 0x0201;
constexpr quint16 kWindow2 = 0x023E;

constexpr qsizetype kKayitVeriSiniri = 8224; // data bytes of one record
constexpr quint8 kUtf16 = 0x01;              // string flags: uncompressed UTF-16LE, no rich text

// Cell styles: 0-14 are the style XFs every workbook carries, then ours.
constexpr quint16 kXfHucre = 15;
constexpr quint16 kXfBaslik = 16;
constexpr quint16 kXfTarih = 17;
constexpr quint16 kXfTarihSaat = 18;
constexpr quint16 kXfIlkBicim = 19;

// Number formats of our own start at 164; the lower ones are Excel's built-in ones.
constexpr quint16 kBicimTarih = 164;
constexpr quint16 kBicimTarihSaat = 165;
constexpr quint16 kBicimIlk = 166;

// Font indexes skip 4: the fifth FONT record is font 5.
constexpr quint16 kFontNormal = 0;
constexpr quint16 kFontKalin = 5;

// Appends little-endian values and records to a byte array.
class Akis {
public:
  explicit Akis(QByteArray &b) : b_(b) {}

  qsizetype konum() const { return b_.size(); }
  void u8(quint8 v) { b_.append(char(v)); }
  void u16(quint16 v)
  {
    char c[2];
    qToLittleEndian(v, c);
    b_.append(c, 2);
  }
  void u32(quint32 v)
  {
    char c[4];
    qToLittleEndian(v, c);
    b_.append(c, 4);
  }
  void f64(double v)
  {
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    char c[8];
    qToLittleEndian(bits, c);
    b_.append(c, 8);
  }
  void utf16(QStringView s)
  {
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
      b_.append(reinterpret_cast<const char *>(s.utf16()), s.size() * 2);
    } else {
      for (QChar ch : s)
        u16(ch.unicode());
    }
  }
  void yama16(qsizetype at, quint16 v) { qToLittleEndian(v, b_.data() + at); }
  void yama32(qsizetype at, quint32 v) { qToLittleEndian(v, b_.data() + at); }

  // A record whose data length is known in advance.
  void baslik(quint16 id, quint16 uzunluk)
  {
    u16(id);
    u16(uzunluk);
  }
  // A record whose length is filled in by bitir(); returns its start.
  qsizetype basla(quint16 id)
  {
    const qsizetype bas = konum();
    baslik(id, 0);
    return bas;
  }
  void bitir(qsizetype bas)
  {
    const qsizetype uzunluk = konum() - bas - 4;
    Q_ASSERT(uzunluk <= kKayitVeriSiniri);
    yama16(bas + 2, quint16(uzunluk));
  }

  // Count byte, flags byte, characters (at most 255).
  void kisaMetin(QStringView s)
  {
    s = s.left(255);
    u8(quint8(s.size()));
    u8(kUtf16);
    utf16(s);
  }
  // Count word, flags byte, characters.
  void metin(QStringView s)
  {
    u16(quint16(s.size()));
    u8(kUtf16);
    utf16(s);
  }

private:
  QByteArray &b_;
};

void bof(Akis &a, quint16 tur)
{
  a.baslik(kBof, 16);
  a.u16(0x0600); // BIFF8
  a.u16(tur);    // 0x0005 workbook globals, 0x0010 worksheet
  a.u16(0x0DBB); // build
  a.u16(0x07CC); // year
  a.u32(0);      // history flags
  a.u32(0x0006); // lowest version that can read the file: BIFF8
}

void eof(Akis &a)
{
  a.baslik(kEof, 0);
}

void font(Akis &a, bool kalin)
{
  const qsizetype bas = a.basla(kFont);
  a.u16(200); // 10 pt in twips
  a.u16(0);   // not italic, not struck out
  a.u16(0x7FFF);
  a.u16(kalin ? 700 : 400);
  a.u16(0); // no super-/subscript
  a.u8(0);  // no underline
  a.u8(2);  // family: swiss
  a.u8(0);  // character set
  a.u8(0);
  a.kisaMetin(u"Arial");
  a.bitir(bas);
}

void format(Akis &a, quint16 numara, QStringView bicim)
{
  const qsizetype bas = a.basla(kFormat);
  a.u16(numara);
  a.metin(bicim.left(255));
  a.bitir(bas);
}

// `kullanilan`: which attributes a cell XF sets itself instead of taking them
// from its style (for style XFs: which ones it leaves alone).
void xf(Akis &a, quint16 fontNo, quint16 bicimNo, bool stil, quint8 kullanilan)
{
  a.baslik(kXf, 20);
  a.u16(fontNo);
  a.u16(bicimNo);
  a.u16(stil ? 0xFFF5 : 0x0001); // locked; a style has no parent (0xFFF), a cell the Normal style (0)
  a.u8(0x20);                    // general horizontal alignment, bottom aligned
  a.u8(0);                       // no rotation
  a.u8(0);                       // no indent, context reading order
  a.u8(kullanilan);
  a.u32(0);      // no borders
  a.u32(0);      // no diagonal, no fill pattern
  a.u16(0x20C0); // pattern colours: system foreground and background
}

constexpr quint8 kXfBicim = 0x04;
constexpr quint8 kXfFont = 0x08;

struct Kova {
  quint32 akisKonumu;
  quint16 kayitIci;
};

// The shared strings: their table, and the index of each text cell.
class PaylasilanMetinler {
public:
  quint32 sira(const QString &s)
  {
    ++toplam_;
    const auto it = sira_.constFind(s);
    if (it != sira_.cend())
      return *it;
    const auto yeni = quint32(metinler_.size());
    sira_.insert(s, yeni);
    metinler_.append(s);
    return yeni;
  }

  // SST, continued in CONTINUE records, then EXTSST, the index Excel uses to
  // find the strings.
  void yaz(Akis &a) const
  {
    const auto adet = quint32(metinler_.size());
    const quint16 kovaBoyu = quint16(std::max<quint32>(8, (adet + 127) / 128));
    QList<Kova> kovalar;

    qsizetype kayit = a.basla(kSst);
    a.u32(toplam_);
    a.u32(adet);
    const auto bos = [&] { return kKayitVeriSiniri - (a.konum() - kayit - 4); };
    const auto devam = [&] {
      a.bitir(kayit);
      kayit = a.basla(kContinue);
    };
    for (quint32 i = 0; i < adet; ++i) {
      const QStringView s = metinler_[i];
      // The character count and the flags stay together with the first character.
      if (bos() < 5)
        devam();
      if (i % kovaBoyu == 0)
        kovalar.append({quint32(a.konum()), quint16(a.konum() - kayit)});
      a.u16(quint16(s.size()));
      a.u8(kUtf16);
      qsizetype yazilan = 0;
      while (yazilan < s.size()) {
        const qsizetype kalan = s.size() - yazilan;
        qsizetype n = std::min(bos() / 2, kalan);
        // A surrogate pair stays in one piece, so each piece decodes on its own.
        if (n > 0 && n < kalan && s[yazilan + n - 1].isHighSurrogate())
          --n;
        if (n == 0) {
          // The rest continues in the next record, which repeats the flags.
          devam();
          a.u8(kUtf16);
          continue;
        }
        a.utf16(s.mid(yazilan, n));
        yazilan += n;
      }
    }
    a.bitir(kayit);

    a.baslik(kExtsst, quint16(2 + 8 * kovalar.size()));
    a.u16(kovaBoyu);
    for (const Kova &k : std::as_const(kovalar)) {
      a.u32(k.akisKonumu);
      a.u16(k.kayitIci);
      a.u16(0);
    }
  }

private:
  QHash<QString, quint32> sira_;
  QList<QString> metinler_;
  quint32 toplam_ = 0;
};

// The custom number formats of the columns, each once, and the XF of each column's numbers.
struct KolonBicimleri {
  QList<QString> bicimler;
  QList<quint16> xf;

  explicit KolonBicimleri(const QList<ExcelKolon> &kolonlar)
  {
    for (const ExcelKolon &k : kolonlar) {
      const QString bicim = k.sayiBicimi.left(255);
      if (bicim.isEmpty() || bicim.compare(u"General", Qt::CaseInsensitive) == 0) {
        xf.append(kXfHucre);
        continue;
      }
      qsizetype i = bicimler.indexOf(bicim);
      if (i < 0) {
        i = bicimler.size();
        bicimler.append(bicim);
      }
      xf.append(quint16(kXfIlkBicim + i));
    }
  }
};

void sayiHucresi(Akis &a, quint16 satir, quint16 kolon, quint16 xfNo, double deger)
{
  a.baslik(kNumber, 14);
  a.u16(satir);
  a.u16(kolon);
  a.u16(xfNo);
  a.f64(deger);
}

void metinHucresi(Akis &a, quint16 satir, quint16 kolon, quint16 xfNo, quint32 sstSira)
{
  a.baslik(kLabelsst, 10);
  a.u16(satir);
  a.u16(kolon);
  a.u16(xfNo);
  a.u32(sstSira);
}

void bosHucre(Akis &a, quint16 satir, quint16 kolon, quint16 xfNo)
{
  a.baslik(kBlank, 6);
  a.u16(satir);
  a.u16(kolon);
  a.u16(xfNo);
}

// One worksheet substream: the header row and the data rows [ilk, son).
QByteArray sayfa(const ExcelTablo &tablo, qsizetype ilk, qsizetype son, bool secili,
                 const KolonBicimleri &bicimler, const QList<double> &genislikler, PaylasilanMetinler &sst)
{
  QByteArray b;
  Akis a(b);
  const auto kolonSayisi = quint16(tablo.kolonlar.size());
  bof(a, 0x0010);

  for (quint16 c = 0; c < kolonSayisi; ++c) {
    a.baslik(kColinfo, 12);
    a.u16(c);
    a.u16(c);
    a.u16(quint16(std::lround(std::min(255.0, genislikler[c] + 0.7) * 256)));
    a.u16(kXfHucre);
    a.u16(0);
    a.u16(0);
  }

  a.baslik(kDimensions, 14);
  a.u32(0);
  a.u32(kolonSayisi > 0 ? quint32(son - ilk + 1) : 0);
  a.u16(0);
  a.u16(kolonSayisi);
  a.u16(0);

  for (quint16 c = 0; c < kolonSayisi; ++c) {
    const QString baslik = tablo.kolonlar[c].baslik.left(excel_ic::kMetinSiniri);
    if (!baslik.isEmpty())
      metinHucresi(a, 0, c, kXfBaslik, sst.sira(baslik));
  }

  quint16 satir = 1;
  for (qsizetype r = ilk; r < son; ++r, ++satir) {
    const QList<QVariant> &hucreler = tablo.satirlar[r];
    for (quint16 c = 0; c < kolonSayisi; ++c) {
      const Hucre h = c < hucreler.size() ? excel_ic::HucreCoz(hucreler[c]) : Hucre{};
      switch (h.tur) {
      case HucreTuru::Bos:
        // A formatted column keeps its format for what is typed in later.
        if (bicimler.xf[c] != kXfHucre)
          bosHucre(a, satir, c, bicimler.xf[c]);
        break;
      case HucreTuru::Sayi:
        sayiHucresi(a, satir, c, bicimler.xf[c], h.sayi);
        break;
      case HucreTuru::Tarih:
        sayiHucresi(a, satir, c, kXfTarih, h.sayi);
        break;
      case HucreTuru::TarihSaat:
        sayiHucresi(a, satir, c, kXfTarihSaat, h.sayi);
        break;
      case HucreTuru::Metin:
        metinHucresi(a, satir, c, kXfHucre, sst.sira(h.metin));
        break;
      }
    }
  }

  a.baslik(kWindow2, 18);
  // Grid lines, headers, zeros, automatic grid colour, outline symbols; the
  // first sheet is the selected, shown one.
  a.u16(secili ? 0x06B6 : 0x00B6);
  a.u16(0); // top row
  a.u16(0); // left column
  a.u16(64);
  a.u16(0);
  a.u16(0);
  a.u16(0);
  a.u32(0);

  eof(a);
  return b;
}

} // namespace

namespace biff8 {

QByteArray CalismaKitabiAkisi(const ExcelTablo &tablo)
{
  Q_ASSERT(tablo.kolonlar.size() <= kKolonSiniri);
  const KolonBicimleri bicimler(tablo.kolonlar);
  const QList<double> genislikler = excel_ic::KolonGenislikleri(tablo);

  // The sheets first: their cells fill the shared-string table the globals carry.
  constexpr qsizetype kSayfaBasinaSatir = kSatirSiniri - 1;
  const qsizetype sayfaSayisi =
      std::max<qsizetype>(1, (tablo.satirlar.size() + kSayfaBasinaSatir - 1) / kSayfaBasinaSatir);
  PaylasilanMetinler sst;
  QList<QByteArray> sayfalar;
  for (qsizetype s = 0; s < sayfaSayisi; ++s) {
    const qsizetype ilk = s * kSayfaBasinaSatir;
    const qsizetype son = std::min(tablo.satirlar.size(), ilk + kSayfaBasinaSatir);
    sayfalar.append(sayfa(tablo, ilk, son, s == 0, bicimler, genislikler, sst));
  }

  QByteArray b;
  Akis a(b);
  bof(a, 0x0005);

  a.baslik(kCodepage, 2);
  a.u16(1200); // UTF-16

  a.baslik(kWindow1, 18);
  a.u16(0);      // left
  a.u16(0);      // top
  a.u16(0x4000); // width
  a.u16(0x2000); // height
  a.u16(0x0038); // scroll bars and sheet tabs shown
  a.u16(0);      // selected sheet
  a.u16(0);      // first tab shown
  a.u16(1);      // sheets selected
  a.u16(600);    // tab bar width, per mille

  a.baslik(kDatemode, 2);
  a.u16(0); // dates count from 1900

  for (int i = 0; i < 4; ++i)
    font(a, false);
  font(a, true);

  format(a, kBicimTarih, QString::fromLatin1(excel_ic::kTarihBicimi));
  format(a, kBicimTarihSaat, QString::fromLatin1(excel_ic::kTarihSaatBicimi));
  for (qsizetype i = 0; i < bicimler.bicimler.size(); ++i)
    format(a, quint16(kBicimIlk + i), bicimler.bicimler[i]);

  xf(a, kFontNormal, 0, true, 0x00); // Normal
  for (int i = 1; i < 15; ++i)
    xf(a, kFontNormal, 0, true, 0xF4);
  xf(a, kFontNormal, 0, false, 0x00); // kXfHucre
  xf(a, kFontKalin, 0, false, kXfFont);
  xf(a, kFontNormal, kBicimTarih, false, kXfBicim);
  xf(a, kFontNormal, kBicimTarihSaat, false, kXfBicim);
  for (qsizetype i = 0; i < bicimler.bicimler.size(); ++i)
    xf(a, kFontNormal, quint16(kBicimIlk + i), false, kXfBicim);

  a.baslik(kStyle, 4);
  a.u16(0x8000); // built-in style on XF 0
  a.u8(0);       // Normal
  a.u8(0xFF);

  QList<qsizetype> sayfaKonumlari;
  for (qsizetype s = 0; s < sayfaSayisi; ++s) {
    const qsizetype bas = a.basla(kBoundsheet);
    sayfaKonumlari.append(a.konum());
    a.u32(0); // stream offset of the sheet, filled in below
    a.u8(0);  // visible
    a.u8(0);  // worksheet
    a.kisaMetin(QStringLiteral("Sayfa%1").arg(s + 1));
    a.bitir(bas);
  }

  sst.yaz(a);
  eof(a);

  qsizetype toplam = b.size();
  for (const QByteArray &s : std::as_const(sayfalar))
    toplam += s.size();
  b.reserve(toplam);
  for (qsizetype s = 0; s < sayfaSayisi; ++s) {
    a.yama32(sayfaKonumlari[s], quint32(b.size()));
    b.append(sayfalar[s]);
    sayfalar[s] = QByteArray();
  }
  return b;
}

bool BilesikDosyaYaz(QIODevice &cikti, const QByteArray &akis)
{
  constexpr quint32 kSerbest = 0xFFFFFFFF;
  constexpr quint32 kZincirSonu = 0xFFFFFFFE;
  constexpr quint32 kFatSektoru = 0xFFFFFFFD;
  constexpr quint32 kDifatSektoru = 0xFFFFFFFC;
  constexpr quint32 kAkisYok = 0xFFFFFFFF;
  constexpr qint64 kSektor = 512;
  constexpr quint32 kSektorBasinaGirdi = kSektor / 4;
  constexpr quint32 kBaslikFatSayisi = 109;

  // Streams under 4096 bytes would belong in the mini stream; padding the
  // workbook to that size keeps every stream in regular sectors.
  const qint64 boyut = std::max<qint64>(akis.size(), 4096);
  if (boyut > 0x7FFFFFFF)
    return false;

  // Sectors: the stream, one directory sector, the FAT, then the DIFAT
  // sectors that list the FAT sectors the header has no room for.
  const auto akisSektorleri = quint32((boyut + kSektor - 1) / kSektor);
  quint32 fatSayisi = 0;
  quint32 difatSayisi = 0;
  for (;;) {
    const quint32 toplam = akisSektorleri + 1 + fatSayisi + difatSayisi;
    const quint32 fat = (toplam + kSektorBasinaGirdi - 1) / kSektorBasinaGirdi;
    const quint32 difat = fat > kBaslikFatSayisi
                              ? (fat - kBaslikFatSayisi + kSektorBasinaGirdi - 2) / (kSektorBasinaGirdi - 1)
                              : 0;
    if (fat == fatSayisi && difat == difatSayisi)
      break;
    fatSayisi = fat;
    difatSayisi = difat;
  }
  const quint32 dizinSektoru = akisSektorleri;
  const quint32 ilkFat = dizinSektoru + 1;
  const quint32 ilkDifat = ilkFat + fatSayisi;

  const auto yaz = [&cikti](const QByteArray &b) { return cikti.write(b) == b.size(); };

  QByteArray baslik(kSektor, '\0');
  {
    static const unsigned char imza[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(baslik.data(), imza, sizeof imza);
    char *p = baslik.data();
    qToLittleEndian<quint16>(0x003E, p + 24); // minor version
    qToLittleEndian<quint16>(0x0003, p + 26); // major version 3: 512-byte sectors
    qToLittleEndian<quint16>(0xFFFE, p + 28); // little-endian
    qToLittleEndian<quint16>(9, p + 30);      // sector size 2^9
    qToLittleEndian<quint16>(6, p + 32);      // mini sector size 2^6
    qToLittleEndian<quint32>(fatSayisi, p + 44);
    qToLittleEndian<quint32>(dizinSektoru, p + 48);
    qToLittleEndian<quint32>(4096, p + 56); // mini stream cut-off
    qToLittleEndian<quint32>(kZincirSonu, p + 60);
    qToLittleEndian<quint32>(0, p + 64);
    qToLittleEndian<quint32>(difatSayisi > 0 ? ilkDifat : kZincirSonu, p + 68);
    qToLittleEndian<quint32>(difatSayisi, p + 72);
    for (quint32 i = 0; i < kBaslikFatSayisi; ++i)
      qToLittleEndian<quint32>(i < fatSayisi ? ilkFat + i : kSerbest, p + 76 + 4 * i);
  }
  if (!yaz(baslik) || !yaz(akis))
    return false;
  const qint64 dolgu = qint64(akisSektorleri) * kSektor - akis.size();
  if (dolgu > 0 && !yaz(QByteArray(dolgu, '\0')))
    return false;

  // Directory: the root storage and the workbook stream, the other two entries unused.
  QByteArray dizin(kSektor, '\0');
  {
    const auto girdi = [&dizin](int no, QStringView ad, quint8 tur, quint32 cocuk, quint32 ilkSektor,
                                quint32 uzunluk) {
      char *p = dizin.data() + no * 128;
      for (qsizetype i = 0; i < ad.size(); ++i)
        qToLittleEndian<quint16>(ad[i].unicode(), p + 2 * i);
      qToLittleEndian<quint16>(ad.isEmpty() ? 0 : quint16((ad.size() + 1) * 2), p + 64);
      p[66] = char(tur);
      p[67] = char(ad.isEmpty() ? 0 : 1); // black
      qToLittleEndian<quint32>(kAkisYok, p + 68);
      qToLittleEndian<quint32>(kAkisYok, p + 72);
      qToLittleEndian<quint32>(cocuk, p + 76);
      qToLittleEndian<quint32>(ilkSektor, p + 116);
      qToLittleEndian<quint32>(uzunluk, p + 120);
    };
    girdi(0, u"Root Entry", 5, 1, kZincirSonu, 0);
    girdi(1, u"Workbook", 2, kAkisYok, 0, quint32(boyut));
    girdi(2, u"", 0, kAkisYok, 0, 0);
    girdi(3, u"", 0, kAkisYok, 0, 0);
  }
  if (!yaz(dizin))
    return false;

  QByteArray fat(qsizetype(fatSayisi) * kSektor, char(0xFF));
  {
    char *p = fat.data();
    const auto girdi = [p](quint32 sektor, quint32 sonraki) { qToLittleEndian(sonraki, p + 4 * sektor); };
    for (quint32 s = 0; s < akisSektorleri; ++s)
      girdi(s, s + 1 < akisSektorleri ? s + 1 : kZincirSonu);
    girdi(dizinSektoru, kZincirSonu);
    for (quint32 s = 0; s < fatSayisi; ++s)
      girdi(ilkFat + s, kFatSektoru);
    for (quint32 s = 0; s < difatSayisi; ++s)
      girdi(ilkDifat + s, kDifatSektoru);
  }
  if (!yaz(fat))
    return false;

  // Each DIFAT sector lists 127 FAT sectors and ends with the next DIFAT sector.
  for (quint32 d = 0; d < difatSayisi; ++d) {
    QByteArray difat(kSektor, char(0xFF));
    char *p = difat.data();
    for (quint32 i = 0; i < kSektorBasinaGirdi - 1; ++i) {
      const quint32 fatNo = kBaslikFatSayisi + d * (kSektorBasinaGirdi - 1) + i;
      if (fatNo < fatSayisi)
        qToLittleEndian<quint32>(ilkFat + fatNo, p + 4 * i);
    }
    qToLittleEndian<quint32>(d + 1 < difatSayisi ? ilkDifat + d + 1 : kZincirSonu,
                             p + 4 * (kSektorBasinaGirdi - 1));
    if (!yaz(difat))
      return false;
  }
  return true;
}

} // namespace biff8
