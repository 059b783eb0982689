#include "wire/catalogue.h"

#include <QHash>

namespace wire {

namespace {

// One method a line: Name(param:kind, out param:kind, ...) -> result
// Kinds: text int32 int64 double bool bytes recordset packet, or a class name.
const char *const kSignatures[] = {
    "AcilisEkranlarVer2() -> TAcilisEkranlariki",
    "AcilisReklamAdet() -> int32",
    "AcilisREklamVer(sira:int32) -> TAcilisEkran",
    "BakiyeDegistir(k:TSonucBilgisi, stokno:int32, sepetsirano:int32, siparissirano:int32, Adet:double, "
    "Bakiye:double, barkod:text) -> int32",
    "BakiyeDuzenle(k:TSonucBilgisi, stokno:int32, sepetsirano:int32, siparissirano:int32, Adet:double, "
    "Bakiye:double, barkod:text) -> int32",
    "BakiyeFiyatDegistir(k:TSonucBilgisi, stokno:int32, sepetsirano:int32, siparissirano:int32, Adet:double, "
    "Bakiye:double, barkod:text, fiyat:double, ind:double) -> int32",
    "BakiyelerVer2(carino:int32) -> recordset",
    "BalonGetir(bil:TSonucBilgisi) -> recordset",
    "BannerResimVer(out size:int64) -> bytes",
    "BannerResimVer2(out size:int64) -> bytes",
    "BannerResimVer3(out size:int64) -> bytes",
    "BuyukGetir(idsi:text) -> TSonucBilgisi",
    "CariAra(bil:TSonucBilgisi, aranan:text) -> recordset",
    "CariDurumVer(carino:int32) -> text",
    "CariEkstreVer(carino:int32) -> recordset",
    "CariSepetVer(bil:TSonucBilgisi, n:int32) -> recordset",
    "CariVadeGunGecmismiBul(carino:int32) -> text",
    "EchoString(Value:text) -> text",
    "FaturaAltGetir(idnosu:int32) -> recordset",
    "FaturaGetir(carino:int32, idnosu:int32) -> recordset",
    "KampanyaliVer2(cario:int32, satici:int32) -> packet",
    "KargolarVer(gn:int32) -> recordset",
    "KargoVer() -> recordset",
    "KayanYaziGetir() -> text",
    "MailGonserCari(idsi:text, baslik:text, firmaadi:text, adres1:text, adres2:text, ilce:text, sehir:text, "
    "telefon:text, fax:text, vd:text, vn:text, yetkili:text, kullaniciadi:text, sifre:text, mail:text, "
    "kargoambar:text) -> int32",
    "MailGonserCariNormal(idsi:text, baslik:text, firmaadi:text, adres1:text, adres2:text, ilce:text, "
    "sehir:text, telefon:text, fax:text, vd:text, vn:text, yetkili:text, kullaniciadi:text, sifre:text, "
    "mail:text, kargoambar:text, konu:text) -> int32",
    "MobilCariBilgisiGetir(sirano:int32, _idsi:text) -> TMobilCariBilgisi",
    "OncekiSiparisler(carino:int32) -> recordset",
    "RaporAlinanSiparisler(bilgi:TSonucBilgisi, tarih1:double, tarih2:double) -> recordset",
    "RaporEnCokSatilanStoklar(bilgi:TSonucBilgisi, tarih1:double, tarih2:double) -> recordset",
    "RaporGetir(raporno:int32, bolum:int32, idno:int32, carino:int32, saticiadi:text, tarih1:double, "
    "tarih2:double, out size:int64) -> bytes",
    "ResimVer5(stokno:int32, out boy:int64) -> bytes",
    "ReverseString(Value:text) -> text",
    "SAnalPosPdfVer(sirano:int32, out boy:int64) -> bytes",
    "SanalposSiranoVer(idnosu:int32) -> int32",
    "SepetEkle2(bilgim:TSonucBilgisi, carino:int32, stokno:int32, barkod:text, stokadi:text, miktar:double, "
    "kdv:double, fiyat:double, ind1:double, verenid:int32, k:int32, ind2:double, ind3:double, ind4:double) "
    "-> int32",
    "SepetGuncelle2(bilgim:TSonucBilgisi, carino:int32, stokno:int32, barkod:text, stokadi:text, "
    "miktar:double, kdv:double, fiyat:double, ind1:double, verenid:int32, _sepetsirano:int32, ind2:double, "
    "ind3:double, ind4:double) -> int32",
    "SepetHepsiniSil(bilgi:TSonucBilgisi) -> int32",
    "SepetSatirSil(bilgi:TSonucBilgisi, satirno:int32, aciklamam:text) -> int32",
    "SepetSayisi(bil:TSonucBilgisi) -> int32",
    "SepetSecimGuncelle(sirano:int32, secim:int32) -> none",
    "SepetVer2(carino:int32) -> packet",
    "SiparisAyrintisi2(carino:int32, idnosu:int32) -> recordset",
    "SiparisAytintisiDip(carino:int32, siranosu:int32) -> TSiparisDipAyrinti",
    "SiparisKaydet(BB:TSonucBilgisi, _carino:int32, _teslim:int32, _kargo:int32, _aciklama:text, "
    "_verenid:int32, _kargoyeni:int32) -> bool",
    "StokAraGetirTarvesa(kod:text, bilgi:TSonucBilgisi) -> packet",
    "Tahsilat(idnosu:int32) -> recordset",
    "TeslimVer() -> recordset",
    "TumSiparislerVer(carino:int32, stokno:int32) -> recordset",
    "TusSonuclariVer(bil:TSonucBilgisi) -> TTusSonuclari",
    "YenilerVer2(carino:int32) -> packet",
};

// Resolves a kind word; class names give an object.
ValueKind parseKind(const QString &word, QString *className, bool *recordSet)
{
  static const QHash<QString, ValueKind> kinds{
      {QStringLiteral("text"), ValueKind::Text},       {QStringLiteral("int32"), ValueKind::Int32},
      {QStringLiteral("int64"), ValueKind::Int64},     {QStringLiteral("double"), ValueKind::Double},
      {QStringLiteral("bool"), ValueKind::Bool},       {QStringLiteral("bytes"), ValueKind::Bytes},
      {QStringLiteral("recordset"), ValueKind::Table}, {QStringLiteral("packet"), ValueKind::Table},
  };
  if (recordSet)
    *recordSet = word == QLatin1String("recordset");
  const auto it = kinds.constFind(word);
  if (it != kinds.constEnd())
    return *it;
  *className = word;
  return ValueKind::Object;
}

MethodSignature parse(const QString &line)
{
  MethodSignature m;
  const int open = line.indexOf(QLatin1Char('('));
  const int close = line.indexOf(QLatin1Char(')'));
  m.name = line.left(open);
  const QString resultWord = line.mid(line.indexOf(QLatin1String("->")) + 2).trimmed();
  if (resultWord != QLatin1String("none"))
    m.result = parseKind(resultWord, &m.resultClass, &m.recordSet);
  const QString inner = line.mid(open + 1, close - open - 1);
  for (QString part : inner.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    part = part.trimmed();
    MethodParam p;
    if (part.startsWith(QLatin1String("out "))) {
      p.out = true;
      part = part.mid(4);
    }
    const int colon = part.indexOf(QLatin1Char(':'));
    p.name = part.left(colon);
    p.kind = parseKind(part.mid(colon + 1), &p.className, nullptr);
    m.params.append(p);
  }
  return m;
}

} // namespace

QList<MethodParam> MethodSignature::inputs() const
{
  QList<MethodParam> list;
  for (const MethodParam &p : params)
    if (!p.out)
      list.append(p);
  return list;
}

QList<MethodParam> MethodSignature::outputs() const
{
  QList<MethodParam> list;
  for (const MethodParam &p : params)
    if (p.out)
      list.append(p);
  return list;
}

const QList<MethodSignature> &methodCatalogue()
{
  static const QList<MethodSignature> catalogue = [] {
    QList<MethodSignature> list;
    for (const char *line : kSignatures)
      list.append(parse(QString::fromUtf8(line)));
    return list;
  }();
  return catalogue;
}

const MethodSignature *findMethod(const QString &name)
{
  static const QHash<QString, const MethodSignature *> index = [] {
    QHash<QString, const MethodSignature *> map;
    for (const MethodSignature &m : methodCatalogue())
      map.insert(m.name, &m);
    return map;
  }();
  return index.value(name, nullptr);
}

} // namespace wire
